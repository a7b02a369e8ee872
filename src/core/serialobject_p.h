#pragma once

#include <cctype>
#include <string>

// Helpers shared by the printer link's source files.
namespace SerialLink {

// The command word in capitals: " g1 X5" gives "G1".
inline std::string commandWord(const std::string &command)
{
    size_t begin = 0;
    while (begin < command.size() && command[begin] == ' ')
        ++begin;
    std::string word = command.substr(begin, command.find(' ', begin) - begin);
    for (char &c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

} // namespace SerialLink
