#pragma once

#include "serialobject.h"

// What the print-detail page lets the user set for a running print, in one
// place for the page, the print-file check (which takes the file's heater
// targets up to the same highest values) and the power-loss resume (which
// starts from the values stored while printing).
namespace PrintLimits {

struct Range {
    int min;
    int max;
    int step;
    bool contains(int value) const { return value >= min && value <= max; }
};

constexpr Range kNozzle{170, 250, 1};   // °C
constexpr Range kBed{30, 110, 1};       // °C
constexpr Range kSpeed{50, 300, 5};     // percent
constexpr Range kZOffset{-100, 100, 2}; // hundredths of a millimetre
constexpr Range kPurge{80, 300, 1};     // percent
// A heater target that switches the heater off; the page may set it too.
constexpr int kHeaterOff = 0;

// The heater targets and adjustments a print runs with.
struct PrintSettings {
    int nozzle;
    int bed;
    PrintingAdjust adjust;
};

// The stored settings of a print to resume, each value kept when it lies
// within what the page sets (or it is what the print starts with anyway),
// else replaced by that of `newPrint` (what a new print of the same file
// starts with), logged: a settings file written by other means must not
// heat the nozzle to 9999 °C or shift every Z move into the bed. A stored
// heater target that is off is replaced too: a missing or unreadable one
// reads as 0, and a print that heated must not go on extruding cold.
PrintSettings usableForResume(const PrintSettings &stored, const PrintSettings &newPrint);

} // namespace PrintLimits
