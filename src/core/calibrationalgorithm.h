#pragma once

// The bed's unevenness from the nine stored calibration points
// ("autoCalibration"/"point1" .. "point9", Z in millimetres).
class CalibrationAlgorithm {
public:
    // The Z calibration's probing range: each descent starts this far above
    // the Z switch's zero and aims at the zero; the board runs it on until
    // the probe touches, so a bed below the zero is measured too. Its
    // readings lie strictly within this distance of the zero: at the lift
    // itself the probe touched before the descent began, and no bed of this
    // machine lies as far below the switch as the lift is above it.
    static constexpr int kProbeLiftMm = 20;

    // Reads the nine points from the settings. When one is not a number
    // within the probing range, there is no calibration (logged): all
    // points count as 0, as before the first one.
    void initCalibrationAlgorithm();

    // The largest minus the smallest stored Z value; 0 before initialisation.
    float getdeviationAbsoluteValue() const;

private:
    static const int kPointCount = 9;
    float m_points[kPointCount] = {};
};
