#pragma once

#include <optional>
#include <string>

namespace sim {

// One command as the board reads it: "G1 X10 F3000" is letter 'G', code 1 and
// the parameter words X and F. A line number ("N12") and a checksum ("*71")
// are dropped; a ';' starts a comment.
class GCode {
public:
    explicit GCode(const std::string &text);

    char letter() const { return m_letter; }   // 'G', 'M', 'T' or 0 when none
    int code() const { return m_code; }
    bool is(char letter, int code) const { return m_letter == letter && m_code == code; }

    bool has(char word) const;
    std::optional<double> value(char word) const; // empty when absent or without a number
    bool hasAnyAxis() const;                      // any of X Y Z E A

private:
    char m_letter = 0;
    int m_code = -1;
    std::string m_words[26]; // text behind each parameter letter; "\x01" marks a bare letter
};

} // namespace sim
