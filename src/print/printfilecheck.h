#pragma once

#include <QString>

// The machine's build volume in millimetres.
struct BuildVolume {
    int x = 0;
    int y = 0;
    int z = 0;

    // Reads a volume written like "300 X 300 X 400": the fields between the
    // letters X, trimmed, as decimal integers (0 where a field is missing).
    static BuildVolume fromText(const QString &text);
};

// The volume this machine is built with.
BuildVolume machineBuildVolume();

// What the printing page learns from a print file before it starts.
struct PrintFileCheckResult {
    bool accepted = false;         // the contents allow printing
    bool isGxFile = false;         // the pages treat the file as headed
    bool isSingleExtruder = true;  // false when the extents line names "T1"
    int nozzleTemp = 0;            // °C, 0..250
    int platformTemp = 0;          // °C, 0..110
    int timeUsed = 0;              // slicer's estimate in seconds (headed files)
    int materialUsed = 0;          // slicer's filament length in mm (headed files)

    // The page prints only a file that passed and needs one extruder.
    bool isPrintable() const { return accepted && isSingleExtruder; }
};

// Checks the print file at `path` before anything is sent to the board:
// the slicer's end marker when the first line carries its banner, the nozzle
// and bed temperatures, and that the build extents fit `volume`. Reads at
// most a bounded part of the file whatever its size.
PrintFileCheckResult checkPrintFile(const QString &path, const BuildVolume &volume);
