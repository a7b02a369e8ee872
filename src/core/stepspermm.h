#pragma once

#include <QString>

// Steps per millimetre of the four axes: the range the editor lets the user
// choose from and the factory value, in one place for the editor, the
// settings and the start-up that hands the stored values to the board.
namespace StepsPerMm {

enum class Axis { X, Y, Z, E };

struct Range {
    int min;
    int max;
    int factory; // the settings' default and the factory reset's value
    // Followed directly by the value; the board calls the extruder A.
    const char *command;
};

const Range &range(Axis axis);

// The stored value when the editor could have chosen it, else the factory
// value (logged): a settings file written by other means must not hand the
// board zero, negative or absurd steps.
int usable(Axis axis, int stored);

// "M92 X80" and the like for a value.
QString command(Axis axis, int value);

} // namespace StepsPerMm
