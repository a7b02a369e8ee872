#include "sentmodes.h"

#include "serialobject_p.h"

#include <cctype>
#include <sstream>

using SerialLink::commandWord;

void SentModes::written(const std::string &command)
{
    const std::string word = commandWord(command);
    if (word == "G91")
        m_relativeXYZ = m_relativeE = true;
    else if (word == "M83")
        m_relativeE = true;
}

void SentModes::taken(const std::string &command)
{
    const std::string word = commandWord(command);
    if (word == "G90")
        m_relativeXYZ = m_relativeE = false;
    else if (word == "M82")
        m_relativeE = false;
}

bool SentModes::harmlessTwice(const std::string &command) const
{
    const std::string word = commandWord(command);
    if (word == "G0" || word == "G1") {
        std::istringstream in(command);
        std::string axis;
        in >> axis; // the command word
        while (in >> axis) {
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(axis[0])));
            if ((letter == 'X' || letter == 'Y' || letter == 'Z') && m_relativeXYZ)
                return false;
            if ((letter == 'E' || letter == 'A') && m_relativeE)
                return false;
        }
        return true;
    }
    static const char *const kHarmless[] = {
        "G4",   "G28",  "G90",  "G91",  "G92",  "M17",  "M18",  "M84",  "M82",  "M83",  "M92",
        "M104", "M109", "M140", "M190", "M106", "M107", "M141", // heaters, fan, probe servo
        "M105", "M114", "M119", "M121", "M113", "M901", "M103", "M112", "M117", "M144", "M145",
    };
    for (const char *harmless : kHarmless) {
        if (word == harmless)
            return true;
    }
    return false;
}
