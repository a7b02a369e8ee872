#include "gcode.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace sim {

namespace {
const char kBareWord[] = "\x01";

int slot(char word)
{
    const int up = std::toupper(static_cast<unsigned char>(word));
    return (up >= 'A' && up <= 'Z') ? up - 'A' : -1;
}
} // namespace

GCode::GCode(const std::string &text)
{
    std::string body = text.substr(0, text.find(';'));
    body = body.substr(0, body.find('*'));
    std::istringstream in(body);
    std::string word;
    bool first = true;
    while (in >> word) {
        const int index = slot(word[0]);
        if (index < 0)
            continue;
        const char upper = static_cast<char>('A' + index);
        if (first && upper == 'N')
            continue; // line number
        if (first) {
            first = false;
            m_letter = upper;
            m_code = std::atoi(word.c_str() + 1);
            continue;
        }
        m_words[index] = word.size() > 1 ? word.substr(1) : kBareWord;
    }
}

bool GCode::has(char word) const
{
    const int index = slot(word);
    return index >= 0 && !m_words[index].empty();
}

std::optional<double> GCode::value(char word) const
{
    const int index = slot(word);
    if (index < 0 || m_words[index].empty() || m_words[index] == kBareWord)
        return std::nullopt;
    char *end = nullptr;
    const double v = std::strtod(m_words[index].c_str(), &end);
    if (end == m_words[index].c_str())
        return std::nullopt;
    return v;
}

bool GCode::hasAnyAxis() const
{
    return has('X') || has('Y') || has('Z') || has('E') || has('A');
}

} // namespace sim
