#pragma once

// The bed's unevenness from the nine stored calibration points
// ("autoCalibration"/"point1" .. "point9", Z in millimetres).
class CalibrationAlgorithm {
public:
    // Reads the nine points from the settings.
    void initCalibrationAlgorithm();

    // The largest minus the smallest stored Z value; 0 before initialisation.
    float getdeviationAbsoluteValue() const;

private:
    static const int kPointCount = 9;
    float m_points[kPointCount] = {};
};
