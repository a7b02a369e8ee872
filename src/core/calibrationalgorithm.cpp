#include "calibrationalgorithm.h"

#include "config.h"

#include <algorithm>

void CalibrationAlgorithm::initCalibrationAlgorithm()
{
    Config *config = Config::getInstance();
    for (int i = 0; i < kPointCount; ++i)
        m_points[i] = config->getAutoPoint(i + 1);
}

float CalibrationAlgorithm::getdeviationAbsoluteValue() const
{
    const auto range = std::minmax_element(m_points, m_points + kPointCount);
    return *range.second - *range.first;
}
