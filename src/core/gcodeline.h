#pragma once

#include <cstddef>
#include <string>

struct PrintingAdjust;

namespace Gcode {

// Turns one raw file line into the command the board gets, or returns false
// when nothing of it is for the board: the comment from the first ';' is cut,
// blanks trimmed, a leading line number "N<digits>" and a trailing checksum
// "*<digits>" dropped; what remains must be printable ASCII of at most 96
// characters starting with a command word "G", "M" or "T" plus digits. Binary
// bytes (a headed file's image) and overlong lines are dropped, never cut.
bool filterLine(const char *data, size_t length, std::string &command);

// The command word as the board reads it: its letter in capitals and its
// number, so that "G091", "g91" and "G91.0" are all "G91". A leading line
// number ("N12") is passed over.
std::string commandWord(const std::string &command);

// The whole command as the board reads it: the command word as above, the
// ';' comment and the '*' checksum cut, the other words' letters in capitals
// ("n3 g091 x5 ;up" gives "G91 X5").
std::string boardText(const std::string &command);

// Whether the board queues a command with this word in its command buffer
// (motion, dwell, modes, heaters, fan), rather than answering it at once.
bool takesBoardSlot(const std::string &word);

// Moves whose words X, Y, Z, E and F mean the end point and feed rate.
bool isMove(const std::string &word);

} // namespace Gcode

// The modal state of the command stream as the board received it: what the
// pause, resume and power-loss replay need to put the machine back.
struct GcodeState {
    bool absoluteXYZ = true;
    bool absoluteE = true;
    double x = 0, y = 0, z = 0, e = 0;
    double fileFeed = 0;  // the file's modal F (mm/min), before the speed factor
    double sentFeed = 0;  // the modal F the board has
    int speedApplied = 100; // the factor the board's modal F was made with
    int nozzleTarget = -1, bedTarget = -1;
    std::string fanCommand; // the last M106/M107

    // Updates the state from a command as sent.
    void track(const std::string &command);
};

namespace Gcode {

// Applies the live adjustments to a filtered command: the speed factor to the
// F words of moves (appending the modal F when only the factor changed) and,
// in absolute mode, the Z offset to their Z words. `state` is the stream's
// state before this command; it records the file's modal feed rate.
std::string applyAdjustments(const std::string &command, const PrintingAdjust &adjust, GcodeState &state);

// A number as G-code text: at most four decimals, trailing zeros dropped.
std::string formatNumber(double value);

} // namespace Gcode
