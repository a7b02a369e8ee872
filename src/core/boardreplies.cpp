#include "boardreplies.h"

#include "gcodeline.h"

#include <cstring>

namespace StringBrevik {

namespace {

using Pos = std::string::size_type;
constexpr Pos kNone = std::string::npos;
// More replies than this on one line, or a line that takes more steps than
// this to read, is no line of the board's.
constexpr int kMaxRepliesPerLine = 32;
constexpr int kMaxSteps = 512;
constexpr Pos kMaxCountDigits = 9;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

Pos digitsEnd(const std::string &s, Pos i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

Pos blanksEnd(const std::string &s, Pos i)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

// Whether only blanks and carriage returns follow `i`.
bool atEnd(const std::string &s, Pos i)
{
    while (i < s.size() && (s[i] == ' ' || s[i] == '\r' || s[i] == '\t'))
        ++i;
    return i >= s.size();
}

Pos literal(const std::string &s, Pos i, const char *text)
{
    if (i == kNone || i > s.size())
        return kNone;
    const Pos n = std::strlen(text);
    return s.compare(i, n, text) == 0 ? i + n : kNone;
}

// "-?\d+(\.\d+)?"
Pos numberEnd(const std::string &s, Pos i)
{
    if (i == kNone)
        return kNone;
    if (i < s.size() && s[i] == '-')
        ++i;
    const Pos whole = digitsEnd(s, i);
    if (whole == i)
        return kNone;
    if (whole < s.size() && s[whole] == '.') {
        const Pos fraction = digitsEnd(s, whole + 1);
        return fraction > whole + 1 ? fraction : kNone;
    }
    return whole;
}

// A number as the board writes it: no leading zero unless it is "0".
bool canonicalDigits(const std::string &s, Pos begin, Pos end)
{
    return end > begin && (end - begin == 1 || s[begin] != '0');
}

// Where a reply body that starts at `b` may end, with what it can answer.
struct BodyEnd {
    Pos end;
    unsigned kinds;
};

unsigned wordKinds(const std::string &word)
{
    if (word == "ok")
        return Ack | Word;
    if (word == "F")
        return MotionReply | FilamentReply;
    if (word == "B")
        return MotionReply;
    if (word == "T" || word == "Fail")
        return FilamentReply;
    return Word;
}

// "X:<0|1> Y:<0|1> Z:<0|1>", blanks allowed behind the colons.
Pos endStopsEnd(const std::string &s, Pos p)
{
    for (const char *label : {"X:", "Y:", "Z:"}) {
        if (label[0] != 'X') {
            const Pos blanks = blanksEnd(s, p);
            if (blanks == p)
                return kNone;
            p = blanks;
        }
        p = literal(s, p, label);
        if (p == kNone)
            return kNone;
        p = blanksEnd(s, p);
        if (p >= s.size() || (s[p] != '0' && s[p] != '1'))
            return kNone;
        ++p;
    }
    return p;
}

// The number that ends a reply, at `p`: where the line ends behind it, or,
// where the next reply's count runs into it, every place it may end. A
// number of `decimals` fixed decimals ends in one place; an integer (a heater
// target) may end after any of its digits that leaves a count behind.
void lastNumberEnds(const std::string &s, Pos p, int decimals, unsigned kinds, std::vector<BodyEnd> &ends)
{
    const Pos whole = numberEnd(s, p);
    if (whole != kNone && atEnd(s, whole)) {
        ends.push_back({whole, kinds});
        return;
    }
    Pos digits = p < s.size() && s[p] == '-' ? p + 1 : p;
    if (decimals == 0) {
        const Pos run = digitsEnd(s, digits);
        for (Pos cut = digits + 1; cut < run; ++cut) {
            if (canonicalDigits(s, digits, cut))
                ends.push_back({cut, kinds});
        }
        return;
    }
    digits = digitsEnd(s, digits);
    if (digits == p || digits >= s.size() || s[digits] != '.')
        return;
    const Pos cut = digits + 1 + static_cast<Pos>(decimals);
    if (digitsEnd(s, digits + 1) > cut)
        ends.push_back({cut, kinds});
}

// "(ok )?T0?:<cur>/<target> B:<cur>/<target>", blanks allowed around "/".
void temperatureEnds(const std::string &s, Pos p, std::vector<BodyEnd> &ends)
{
    if (s.compare(p, 3, "ok ") == 0)
        p = blanksEnd(s, p + 3);
    p = literal(s, p, "T");
    if (p != kNone && p < s.size() && s[p] == '0')
        ++p;
    p = literal(s, p, ":");
    for (int heater = 0; heater < 2 && p != kNone; ++heater) {
        p = numberEnd(s, blanksEnd(s, p));
        p = literal(s, p == kNone ? p : blanksEnd(s, p), "/");
        if (p == kNone)
            return;
        p = blanksEnd(s, p);
        if (heater == 0) {
            p = numberEnd(s, p);
            if (p == kNone || blanksEnd(s, p) == p)
                return;
            p = literal(s, blanksEnd(s, p), "B:");
        }
    }
    if (p != kNone)
        lastNumberEnds(s, p, 0, TemperatureReply, ends);
}

// "X:<x> Y:<y>( Z:<z> E:<e>)?": at the end of a line any values (a reply
// with "nan" in it is a position reply that holds no position); run into the
// next reply, the last value has the board's two decimals.
void positionEnds(const std::string &s, Pos p, std::vector<BodyEnd> &ends)
{
    auto token = [&s](Pos at, const char *label) {
        at = literal(s, at, label);
        if (at == kNone)
            return kNone;
        Pos end = at;
        while (end < s.size() && s[end] != ' ')
            ++end;
        return end > at ? end : kNone;
    };
    Pos last = token(token(p, "X:"), " Y:");
    if (last == kNone)
        return;
    Pos valueStart = s.rfind(':', last) + 1;
    if (s.compare(last, 3, " Z:") == 0) {
        last = token(token(last, " Z:"), " E:");
        if (last == kNone)
            return;
        valueStart = s.rfind(':', last) + 1;
    }
    if (atEnd(s, last))
        ends.push_back({last, PositionReply});
    else
        lastNumberEnds(s, valueStart, 2, PositionReply, ends);
}

void bodyEnds(const std::string &s, Pos b, std::vector<BodyEnd> &ends)
{
    Pos w = b;
    while (w < s.size() && isAlpha(s[w]))
        ++w;
    if (w > b)
        ends.push_back({w, wordKinds(s.substr(b, w - b))});
    if (s.compare(b, 2, "FW") == 0) {
        Pos v = b + 2;
        while (v < s.size() && (isAlpha(s[v]) || isDigit(s[v]) || s[v] == '.' || s[v] == '-' || s[v] == '_'))
            ++v;
        if (v > b + 2 && atEnd(s, v))
            ends.push_back({v, FirmwareReply});
    }
    temperatureEnds(s, b, ends);
    const Pos stops = s.compare(b, 3, "ok ") == 0 ? endStopsEnd(s, blanksEnd(s, b + 3)) : endStopsEnd(s, b);
    if (stops != kNone)
        ends.push_back({stops, EndStopReply});
    positionEnds(s, b, ends);
}

struct Reader {
    const std::string &s;
    int steps = 0;

    // The ways to read `s` from `i` to its end as replies: 0, 1 (in `out`),
    // or 2 for more than one.
    int read(Pos i, bool glued, int depth, std::vector<Reply> &out)
    {
        if (++steps > kMaxSteps || depth >= kMaxRepliesPerLine)
            return 0;
        Reply reply;
        Pos b = i;
        const Pos countEnd = digitsEnd(s, i);
        if (countEnd > i && countEnd - i <= kMaxCountDigits && countEnd < s.size() && s[countEnd] == ' ') {
            // A count run into the reply before it is read as the board writes it.
            if (glued && !canonicalDigits(s, i, countEnd))
                return 0;
            reply.count = std::stoi(s.substr(i, countEnd - i));
            b = countEnd + 1;
        } else if (glued) {
            return 0;
        }
        std::vector<BodyEnd> ends;
        bodyEnds(s, b, ends);
        int ways = 0;
        for (const BodyEnd &end : ends) {
            std::vector<Reply> rest;
            int found = 0;
            if (atEnd(s, end.end))
                found = 1;
            else if (end.end < s.size() && isDigit(s[end.end]))
                found = read(end.end, true, depth + 1, rest);
            if (found == 0)
                continue;
            ways += found;
            if (ways > 1)
                return 2;
            reply.text = s.substr(i, end.end - i);
            reply.kinds = end.kinds;
            out.assign(1, reply);
            out.insert(out.end(), rest.begin(), rest.end());
        }
        return ways;
    }
};

} // namespace

bool Reply::answers(ReplyKind kind) const
{
    if (!(kinds & kind))
        return false;
    return (kind != Ack && kind != Word) || count >= 0;
}

bool Reply::readable() const
{
    const bool query = kinds & ~(Ack | Word);
    return query || (kinds != 0 && count >= 0);
}

ReplyKind replyKindFor(const std::string &word)
{
    if (word == "M105")
        return TemperatureReply;
    if (word == "M114")
        return PositionReply;
    if (word == "M119")
        return EndStopReply;
    if (word == "M121")
        return MotionReply;
    if (word == "M113")
        return FilamentReply;
    if (word == "M901")
        return FirmwareReply;
    return Gcode::takesBoardSlot(word) ? Ack : Word;
}

std::vector<Reply> readReplies(const std::string &line)
{
    Reader reader{line};
    std::vector<Reply> replies;
    if (reader.read(0, false, 0, replies) == 1)
        return replies;
    Reply unread;
    unread.text = line;
    return {unread};
}

} // namespace StringBrevik
