#include "heater.h"

#include <algorithm>
#include <cmath>

namespace sim {

Heater::Heater(double timeConstantSeconds)
    : m_tau(timeConstantSeconds)
{
}

double Heater::goal() const
{
    return m_target > 0 ? m_target : kRoom;
}

void Heater::setTarget(int celsius, double now)
{
    m_anchorTemp = temperature(now);
    m_anchorTime = now;
    m_target = std::max(0, celsius);
}

double Heater::temperature(double now) const
{
    const double elapsed = std::max(0.0, now - m_anchorTime);
    return goal() + (m_anchorTemp - goal()) * std::exp(-elapsed / m_tau);
}

double Heater::settledAt(double from, double tolerance) const
{
    const double gap = std::fabs(m_anchorTemp - goal());
    if (m_target <= 0 || gap <= tolerance)
        return from;
    return std::max(from, m_anchorTime + m_tau * std::log(gap / tolerance));
}

} // namespace sim
