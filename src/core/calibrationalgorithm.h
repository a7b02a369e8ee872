#pragma once

// The bed's unevenness from the nine stored calibration points
// ("autoCalibration"/"point1" .. "point9", Z in millimetres).
class CalibrationAlgorithm {
public:
    // The Z calibration starts each probing descent this far above the Z
    // switch's zero and aims it at the zero; the board runs it on until the
    // probe touches, so a bed below the zero is measured too. A reading
    // further from the zero than this, above or below, is not one the
    // calibration can have taken.
    static constexpr int kProbeLiftMm = 20;

    // Reads the nine points from the settings. When one is not a number the
    // calibration can have measured, there is no calibration (logged): all
    // points count as 0, as before the first one.
    void initCalibrationAlgorithm();

    // The largest minus the smallest stored Z value; 0 before initialisation.
    float getdeviationAbsoluteValue() const;

private:
    static const int kPointCount = 9;
    float m_points[kPointCount] = {};
};
