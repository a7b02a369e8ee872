#pragma once

namespace sim {

// A heater that approaches its target (or the room when off) along a
// first-order curve. The temperature is a pure function of simulated time,
// so it needs no stepping: only a change of target re-anchors the curve.
class Heater {
public:
    explicit Heater(double timeConstantSeconds);

    void setTarget(int celsius, double now);
    int target() const { return m_target; }
    double temperature(double now) const;

    // The simulated time at which the reading is within `tolerance` of the
    // target, never before `from`. Switched off: `from`.
    double settledAt(double from, double tolerance) const;

    static constexpr double kRoom = 25.0;

private:
    double goal() const;

    double m_tau;
    int m_target = 0;
    double m_anchorTemp = kRoom;
    double m_anchorTime = 0;
};

} // namespace sim
