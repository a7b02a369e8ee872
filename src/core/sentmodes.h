#pragma once

#include <string>

// The positioning modes as the link has sent them, on the safe side: a switch
// to relative counts from when it is written, a switch back to absolute only
// once the board has taken it. With them it tells which commands the board
// may run twice without moving the machine any further than once.
class SentModes {
public:
    void written(const std::string &command);
    void taken(const std::string &command);

    // Absolute moves, set-position, homing, dwell, modes, heater, fan, motor,
    // steps-per-mm and probe-servo commands, and the commands that take no
    // slot and move nothing. Never a move with an axis that is relative now,
    // an arc (run twice, its end point is its start: a full circle) or a
    // command not known here.
    bool harmlessTwice(const std::string &command) const;

private:
    bool m_relativeXYZ = false;
    bool m_relativeE = false;
};
