#include "gcodeline.h"
#include "serialobject.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr size_t kMaxCommandLength = 96;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string> splitWords(const std::string &command)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < command.size()) {
        while (i < command.size() && isBlank(command[i]))
            ++i;
        const size_t start = i;
        while (i < command.size() && !isBlank(command[i]))
            ++i;
        if (i > start)
            words.push_back(command.substr(start, i - start));
    }
    return words;
}

bool wordValue(const std::string &word, double &value)
{
    if (word.size() < 2)
        return false;
    char *end = nullptr;
    value = std::strtod(word.c_str() + 1, &end);
    return end && *end == '\0';
}

std::string join(const std::vector<std::string> &words)
{
    std::string out;
    for (const std::string &w : words) {
        if (!out.empty())
            out += ' ';
        out += w;
    }
    return out;
}

} // namespace

namespace Gcode {

bool filterLine(const char *data, size_t length, std::string &command)
{
    size_t end = 0;
    while (end < length && data[end] != ';')
        ++end;
    size_t begin = 0;
    while (begin < end && isBlank(data[begin]))
        ++begin;
    while (end > begin && isBlank(data[end - 1]))
        --end;
    if (begin == end)
        return false;

    // Line number and checksum of the host protocol.
    if (data[begin] == 'N') {
        size_t i = begin + 1;
        while (i < end && std::isdigit(static_cast<unsigned char>(data[i])))
            ++i;
        if (i > begin + 1 && (i == end || isBlank(data[i]))) {
            begin = i;
            while (begin < end && isBlank(data[begin]))
                ++begin;
        }
    }
    for (size_t star = end; star > begin; --star) {
        if (data[star - 1] != '*')
            continue;
        bool digits = star < end;
        for (size_t i = star; i < end; ++i)
            digits = digits && std::isdigit(static_cast<unsigned char>(data[i]));
        if (digits) {
            end = star - 1;
            while (end > begin && isBlank(data[end - 1]))
                --end;
        }
        break;
    }
    if (begin == end || end - begin > kMaxCommandLength)
        return false;

    const char first = data[begin];
    if (first != 'G' && first != 'M' && first != 'T')
        return false;
    size_t i = begin + 1;
    while (i < end && std::isdigit(static_cast<unsigned char>(data[i])))
        ++i;
    if (i == begin + 1 || (i < end && !isBlank(data[i])))
        return false;

    command.assign(data + begin, end - begin);
    for (char &c : command) {
        if (c == '\t')
            c = ' ';
        else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
            return false;
    }
    return true;
}

std::string commandWord(const std::string &command)
{
    const std::string text = boardText(command);
    return text.substr(0, text.find(' '));
}

std::string boardText(const std::string &command)
{
    const std::string body = command.substr(0, command.find_first_of(";*"));
    std::vector<std::string> words = splitWords(body);
    if (!words.empty() && (words[0][0] == 'N' || words[0][0] == 'n'))
        words.erase(words.begin());
    for (std::string &word : words)
        word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    // The board reads the number behind the command letter as atoi() does.
    if (!words.empty() && std::isalpha(static_cast<unsigned char>(words[0][0])))
        words[0] = words[0].substr(0, 1) + std::to_string(std::atoi(words[0].c_str() + 1));
    return join(words);
}

bool takesBoardSlot(const std::string &word)
{
    static const char *const kQueued[] = {"G0",  "G1",  "G2",  "G3",   "G4",   "G28",  "G90",  "G91",  "G92",
                                          "M17", "M18", "M82", "M83",  "M84",  "M92",  "M104", "M106", "M107",
                                          "M109", "M140", "M141", "M190"};
    for (const char *queued : kQueued) {
        if (word == queued)
            return true;
    }
    return false;
}

bool isMove(const std::string &word)
{
    return word == "G0" || word == "G1" || word == "G2" || word == "G3";
}

std::string formatNumber(double value)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4f", value);
    std::string s(buf);
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s;
}

std::string applyAdjustments(const std::string &command, const PrintingAdjust &adjust, GcodeState &state)
{
    if (!isMove(commandWord(command)))
        return command;
    const int speed = adjust.speed <= 0 ? 100 : adjust.speed;
    std::vector<std::string> words = splitWords(command);
    bool changed = false;
    bool hasFeed = false;
    for (size_t i = 1; i < words.size(); ++i) {
        double v;
        if (words[i][0] == 'F' && wordValue(words[i], v)) {
            hasFeed = true;
            state.fileFeed = v;
            if (speed != 100) {
                words[i] = "F" + formatNumber(v * speed / 100.0);
                changed = true;
            }
        } else if (words[i][0] == 'Z' && state.absoluteXYZ && adjust.offset != 0 && wordValue(words[i], v)) {
            words[i] = "Z" + formatNumber(v + adjust.offset / 100.0);
            changed = true;
        }
    }
    if (!hasFeed && speed != state.speedApplied && state.fileFeed > 0) {
        words.push_back("F" + formatNumber(state.fileFeed * speed / 100.0));
        changed = true;
    }
    if (hasFeed || changed)
        state.speedApplied = speed;
    return changed ? join(words) : command;
}

} // namespace Gcode

void GcodeState::track(const std::string &command)
{
    const std::vector<std::string> words = splitWords(Gcode::boardText(command));
    if (words.empty())
        return;
    const std::string &word = words[0];
    // The board takes A for the extruder when the command names no E.
    bool namesE = false, namesAxis = false;
    for (size_t i = 1; i < words.size(); ++i) {
        namesE = namesE || words[i][0] == 'E';
        namesAxis = namesAxis || std::string("XYZEA").find(words[i][0]) != std::string::npos;
    }
    if (word == "G90") {
        absoluteXYZ = true;
        absoluteE = true;
    } else if (word == "G91") {
        absoluteXYZ = false;
        absoluteE = false;
    } else if (word == "M82") {
        absoluteE = true;
    } else if (word == "M83") {
        absoluteE = false;
    } else if (Gcode::isMove(word)) {
        for (size_t i = 1; i < words.size(); ++i) {
            double v;
            if (!wordValue(words[i], v))
                continue;
            switch (words[i][0]) {
            case 'X': x = absoluteXYZ ? v : x + v; break;
            case 'Y': y = absoluteXYZ ? v : y + v; break;
            case 'Z': z = absoluteXYZ ? v : z + v; break;
            case 'A': if (namesE) break; [[fallthrough]];
            case 'E': e = absoluteE ? v : e + v; break;
            case 'F': sentFeed = v; break;
            default: break;
            }
        }
    } else if (word == "G92") {
        if (!namesAxis)
            x = y = z = e = 0;
        for (size_t i = 1; i < words.size(); ++i) {
            double v;
            if (!wordValue(words[i], v))
                continue;
            switch (words[i][0]) {
            case 'X': x = v; break;
            case 'Y': y = v; break;
            case 'Z': z = v; break;
            case 'A': if (namesE) break; [[fallthrough]];
            case 'E': e = v; break;
            default: break;
            }
        }
    } else if (word == "G28") {
        bool named = false;
        for (size_t i = 1; i < words.size(); ++i) {
            switch (words[i][0]) {
            case 'X': x = 0; named = true; break;
            case 'Y': y = 0; named = true; break;
            case 'Z': z = 0; named = true; break;
            default: break;
            }
        }
        if (!named)
            x = y = z = 0;
    } else if (word == "M104" || word == "M109" || word == "M140" || word == "M190") {
        for (size_t i = 1; i < words.size(); ++i) {
            double v;
            if (words[i][0] == 'S' && wordValue(words[i], v)) {
                if (word == "M104" || word == "M109")
                    nozzleTarget = static_cast<int>(std::lround(v));
                else
                    bedTarget = static_cast<int>(std::lround(v));
            }
        }
    } else if (word == "M106" || word == "M107") {
        fanCommand = command;
    }
}
