#pragma once

#include <string>
#include <vector>

// The grammar of the motion board's reply lines. A reply is the board's count
// of free command-buffer slots, one blank and a body whose shape depends on
// the command. A reply that lost its newline runs into the next one
// ("15 ok16 T:25.0/0 B:25.0/0"), so a line is read from its start, one reply
// after the other, and numbers are read only where a reply's shape puts them.
namespace StringBrevik {

// What a reply can answer, as bits.
enum ReplyKind : unsigned {
    Ack = 1u << 0,          // "ok": a command that takes a buffer slot
    Word = 1u << 1,         // one reply word: a command the board answers at once
    TemperatureReply = 1u << 2, // M105 "T:<cur>/<target> B:<cur>/<target>"
    EndStopReply = 1u << 3,     // M119 "X:<0|1> Y:<0|1> Z:<0|1>"
    PositionReply = 1u << 4,    // M114 "X:<x> Y:<y> Z:<z> E:<e>"
    MotionReply = 1u << 5,      // M121 "F" or "B"
    FilamentReply = 1u << 6,    // M113 "T", "F" or "Fail"
    FirmwareReply = 1u << 7,    // M901 "FW<version>"
};

struct Reply {
    std::string text;
    int count = -1;     // the free-slot count; -1 when the reply has none
    unsigned kinds = 0; // ReplyKind bits; 0: no known shape (noise, a garbled line)

    // Whether this reply can answer a command whose reply is of `kind`. The
    // acknowledgement of a command ("ok", or a board's other reply word)
    // counts only with its count: a bare word may be a piece of anything.
    bool answers(ReplyKind kind) const;
    // Whether it could answer anything: a known shape, with its count unless
    // it answers a query.
    bool readable() const;
};

// The kind of reply the board gives to the command word `word` ("G1", "M105").
ReplyKind replyKindFor(const std::string &word);

// The replies `line` holds, in order. A line that cannot be read whole into
// replies of known shapes (noise, a garbled reply, or replies run together
// where the split is ambiguous, such as a heater target followed by a count:
// "B:60.0/6015 ok" may be 60 and 15 or 601 and 5) is one reply of no kind.
std::vector<Reply> readReplies(const std::string &line);

} // namespace StringBrevik
