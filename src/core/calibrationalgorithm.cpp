#include "calibrationalgorithm.h"

#include "config.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

void CalibrationAlgorithm::initCalibrationAlgorithm()
{
    Config *config = Config::getInstance();
    for (int i = 0; i < kPointCount; ++i) {
        const float z = config->getAutoPoint(i + 1);
        if (!std::isfinite(z) || std::fabs(z) >= kProbeLiftMm) {
            qWarning() << "CalibrationAlgorithm: stored point" << i + 1 << "is" << z
                       << "mm, which no probing reaches; the bed counts as not calibrated";
            std::fill(m_points, m_points + kPointCount, 0.0f);
            return;
        }
        m_points[i] = z;
    }
}

float CalibrationAlgorithm::getdeviationAbsoluteValue() const
{
    const auto range = std::minmax_element(m_points, m_points + kPointCount);
    return *range.second - *range.first;
}
