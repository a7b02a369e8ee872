#pragma once

#include "gcodeline.h"

#include <array>
#include <string>

// A position as the board reports it ("M114").
struct BoardPosition {
    double x = 0, y = 0, z = 0, e = 0;
};

// What the board has taken, as far as the link knows: the positioning modes
// (by number: "G091" is G91) and where the head is once the board's queue
// has run. With them the link tells which commands the board may run twice
// without moving the machine any further, and, from a position read once the
// queue has drained, whether a command whose reply never came ran.
//
// Nothing is assumed: the modes are unknown until the board has taken G90
// or G91 (M82 or M83 for the extruder), an axis until a command set it
// (an absolute move, G92, G28) or a drained position was read.
class BoardState {
public:
    void taken(const std::string &command);
    // The board may or may not have taken `command`: what it sets is unknown.
    void unknown(const std::string &command);
    // Read while nothing was queued or moving: every axis is known.
    void anchor(const BoardPosition &at);

    // Everything but an arc (run twice, its end is its start: a full circle)
    // and a move with an axis that is relative now, or in a mode not known.
    bool harmlessTwice(const std::string &command) const;

    enum class Ran { Yes, No, CannotTell };
    // Whether the board ran the move `command`, from where the head is
    // (`read`, the queue drained) against where it would be either way. It
    // cannot tell when the two places are the same within the board's two
    // decimals, or when the read position matches neither.
    Ran whetherRan(const std::string &command, const BoardPosition &read) const;

private:
    enum Axis { X, Y, Z, E, AxisCount };
    static std::array<double, AxisCount> where(const GcodeState &state);
    // The axes a command names, the extruder as E or A.
    static std::array<bool, AxisCount> namedAxes(const std::string &text);

    GcodeState m_state;
    bool m_xyzModeKnown = false;
    bool m_eModeKnown = false;
    std::array<bool, AxisCount> m_known{};
};
