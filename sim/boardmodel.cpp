#include "boardmodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace sim {

namespace {
constexpr double kTravelMax[3] = {300, 300, 400};
constexpr double kHomingFeed[3] = {3000, 3000, 600}; // mm/min
constexpr double kTempWindow = 1.0;                  // M109/M190 settle band
constexpr double kEndstopSlack = 1e-6;
constexpr int kProbeDeployedAbove = 111;             // servo angle between stowed 90 and deployed 132
const char kAxisLetters[] = "XYZE";

std::string format(const char *pattern, double a, double b, double c, double d)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

double tidy(double v)
{
    return std::fabs(v) < 0.005 ? 0.0 : v; // never print "-0.00"
}
} // namespace

BoardModel::BoardModel()
    : m_nozzle(3.0)
    , m_bed(6.0)
{
}

bool BoardModel::takesSlot(const GCode &command)
{
    static const int gCodes[] = {0, 1, 2, 3, 4, 28, 90, 91, 92};
    static const int mCodes[] = {17, 18, 82, 83, 84, 92, 104, 106, 107, 109, 140, 141, 190};
    if (command.letter() == 'G')
        return std::find(std::begin(gCodes), std::end(gCodes), command.code()) != std::end(gCodes);
    if (command.letter() == 'M')
        return std::find(std::begin(mCodes), std::end(mCodes), command.code()) != std::end(mCodes);
    return false;
}

int BoardModel::axisIndex(char axis)
{
    switch (axis) {
    case 'X': case 'x': return X;
    case 'Y': case 'y': return Y;
    case 'Z': case 'z': return Z;
    case 'E': case 'e': case 'A': case 'a': return E;
    default: return -1;
    }
}

void BoardModel::enqueue(const std::string &text, double now)
{
    advanceTo(now);
    if (m_queue.empty())
        m_headReadyAt = now;
    m_queue.push_back(text);
    advanceTo(now); // instant commands complete at once
}

void BoardModel::advanceTo(double now)
{
    while (!m_queue.empty()) {
        if (!m_head.started)
            startHead(m_headReadyAt);
        const double end = headEnd(now);
        if (end > now)
            break;
        finishHead(end);
    }
}

std::optional<double> BoardModel::nextEventAt(double now) const
{
    if (m_queue.empty())
        return std::nullopt;
    const double end = headEnd(now);
    if (std::isinf(end))
        return std::nullopt;
    return end;
}

double BoardModel::headEnd(double now) const
{
    switch (m_head.action) {
    case Action::WaitNozzle:
        if (m_forcedNozzle)
            return std::fabs(*m_forcedNozzle - m_nozzle.target()) <= kTempWindow
                ? std::max(m_head.start, now) : std::numeric_limits<double>::infinity();
        return m_nozzle.settledAt(m_head.start, kTempWindow);
    case Action::WaitBed:
        if (m_forcedBed)
            return std::fabs(*m_forcedBed - m_bed.target()) <= kTempWindow
                ? std::max(m_head.start, now) : std::numeric_limits<double>::infinity();
        return m_bed.settledAt(m_head.start, kTempWindow);
    default:
        return m_head.start + m_head.duration;
    }
}

void BoardModel::startHead(double at)
{
    m_head = Head();
    m_head.started = true;
    m_head.start = at;
    m_head.from = m_head.to = m_machine;
    const GCode command(m_queue.front());
    // Arcs run as a straight move to their end point: what matters here is
    // where they end.
    if (command.letter() == 'G' && command.code() >= 0 && command.code() <= 3)
        beginMove(command);
    else if (command.is('G', 28))
        beginHoming(command);
    else if (command.is('G', 4)) {
        m_head.action = Action::Dwell;
        m_head.duration = command.value('P').value_or(0) / 1000.0 + command.value('S').value_or(0);
    } else if (command.is('M', 109))
        beginWait(m_nozzle, Action::WaitNozzle, command, at);
    else if (command.is('M', 190))
        beginWait(m_bed, Action::WaitBed, command, at);
    else
        applyInstant(command, at);
}

void BoardModel::finishHead(double at)
{
    m_machine = m_head.to;
    for (int axis = 0; axis < AxisCount; ++axis) {
        if (m_head.homes[axis])
            m_offset[axis] = m_machine[axis];
    }
    m_queue.pop_front();
    m_head = Head();
    m_headReadyAt = at;
}

double BoardModel::bedHeightAt(double x, double y) const
{
    return m_bedPlane.z + m_bedPlane.risePerMmX * x + m_bedPlane.risePerMmY * y;
}

double BoardModel::lowerLimit(int axis, double x, double y) const
{
    return (axis == Z && m_probeDeployed) ? bedHeightAt(x, y) : 0.0;
}

BoardModel::Vec BoardModel::clampTravel(const Vec &from, Vec to) const
{
    for (int axis = X; axis <= Z; ++axis) {
        to[axis] = std::min(to[axis], std::max(kTravelMax[axis], from[axis]));
        if (to[axis] >= from[axis])
            continue;
        // X and Y are final here: the bed is touched under the move's end.
        const double floor = std::min(from[axis], lowerLimit(axis, to[X], to[Y]));
        if (axis == Z && m_probeDeployed && to[Z] <= 0) {
            // A descent aimed at the Z switch's zero with the probe out is
            // the board's probing move: it runs on until the probe touches,
            // so a bed below zero is measured as well.
            to[Z] = floor;
            continue;
        }
        // A descending move stops where the end-stop (or the deployed probe)
        // closes, but never pulls the head up to it.
        to[axis] = std::max(to[axis], floor);
    }
    return to;
}

void BoardModel::beginMove(const GCode &command)
{
    if (const auto feed = command.value('F'); feed && *feed > 0)
        m_feedMmPerMin = *feed;
    Vec target = m_machine;
    for (int axis = 0; axis < AxisCount; ++axis) {
        const char letter = kAxisLetters[axis];
        std::optional<double> word = command.value(letter);
        if (axis == E && !word)
            word = command.value('A');
        if (!word)
            continue;
        const bool absolute = axis == E ? m_absoluteE : m_absoluteXyz;
        target[axis] = absolute ? *word + m_offset[axis] : m_machine[axis] + *word;
        m_motors[axis] = true;
    }
    target = clampTravel(m_machine, target);
    const double dx = target[X] - m_machine[X], dy = target[Y] - m_machine[Y],
                 dz = target[Z] - m_machine[Z];
    double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (distance == 0)
        distance = std::fabs(target[E] - m_machine[E]);
    m_head.action = Action::Move;
    m_head.to = target;
    m_head.duration = distance / (m_feedMmPerMin / 60.0);
}

void BoardModel::beginHoming(const GCode &command)
{
    const bool all = !command.has('X') && !command.has('Y') && !command.has('Z');
    double duration = 0;
    for (int axis = X; axis <= Z; ++axis) {
        if (!all && !command.has(kAxisLetters[axis]))
            continue;
        m_head.to[axis] = lowerLimit(axis, m_head.to[X], m_head.to[Y]);
        m_head.homes[axis] = true;
        m_motors[axis] = true;
        const double distance = std::fabs(m_machine[axis] - m_head.to[axis]);
        duration = std::max(duration, distance / (kHomingFeed[axis] / 60.0));
    }
    m_head.action = Action::Move;
    m_head.duration = duration;
}

void BoardModel::beginWait(Heater &heater, Action action, const GCode &command, double at)
{
    const auto target = command.value('S') ? command.value('S') : command.value('R');
    if (target)
        heater.setTarget(static_cast<int>(*target), at);
    m_head.action = action;
}

void BoardModel::applyInstant(const GCode &command, double at)
{
    const char letter = command.letter();
    const int code = command.code();
    if (letter == 'G' && (code == 90 || code == 91)) {
        m_absoluteXyz = m_absoluteE = code == 90;
    } else if (letter == 'M' && (code == 82 || code == 83)) {
        m_absoluteE = code == 82;
    } else if (command.is('G', 92)) {
        const bool none = !command.hasAnyAxis();
        for (int axis = 0; axis < AxisCount; ++axis) {
            std::optional<double> word = command.value(kAxisLetters[axis]);
            if (axis == E && !word)
                word = command.value('A');
            if (none)
                word = 0.0;
            if (word)
                m_offset[axis] = m_machine[axis] - *word;
        }
    } else if (command.is('M', 17) || command.is('M', 18) || command.is('M', 84)) {
        const bool on = code == 17;
        const bool all = !command.hasAnyAxis();
        for (int axis = 0; axis < AxisCount; ++axis) {
            if (all || command.has(kAxisLetters[axis]) || (axis == E && command.has('A')))
                m_motors[axis] = on;
        }
    } else if (command.is('M', 92)) {
        for (char letter : {'X', 'Y', 'Z', 'E', 'A'}) {
            if (const auto steps = command.value(letter))
                m_steps[axisIndex(letter)] = *steps;
        }
    } else if (command.is('M', 104)) {
        if (const auto target = command.value('S'))
            m_nozzle.setTarget(static_cast<int>(*target), at);
    } else if (command.is('M', 140)) {
        if (const auto target = command.value('S'))
            m_bed.setTarget(static_cast<int>(*target), at);
    } else if (command.is('M', 141)) {
        if (const auto angle = command.value('T'))
            m_probeDeployed = *angle > kProbeDeployedAbove;
    }
    // M106/M107 (fan) need no model.
}

std::string BoardModel::answer(const GCode &command, double now)
{
    advanceTo(now);
    if (command.is('M', 105))
        return format("T:%.1f/%.0f B:%.1f/%.0f", nozzleTemp(now), m_nozzle.target(),
                      bedTemp(now), m_bed.target());
    if (command.is('M', 114)) {
        const Position p = position(now);
        const std::string reply = format("X:%.2f Y:%.2f Z:%.2f E:%.2f", tidy(p.x), tidy(p.y), tidy(p.z), tidy(p.e));
        if (m_nonFinitePositionReplies > 0) {
            --m_nonFinitePositionReplies;
            return reply.substr(0, reply.find(" Z:")) + " Z:nan E:inf";
        }
        if (m_cutPositionReplies > 0) {
            --m_cutPositionReplies;
            return reply.substr(0, reply.find(" Z:")); // lost its Z and E on the line
        }
        return reply;
    }
    if (command.is('M', 119))
        return format("X:%.0f Y:%.0f Z:%.0f", endstopTriggered('X', now),
                      endstopTriggered('Y', now), endstopTriggered('Z', now), 0);
    if (command.is('M', 121))
        return m_queue.empty() ? "F" : "B";
    if (command.is('M', 113))
        return m_filament == Filament::Present ? "T" : m_filament == Filament::Absent ? "F" : "Fail";
    if (command.is('M', 901))
        return "FW" + m_firmware;
    if (command.is('M', 112)) {
        m_machine = machineAt(now); // stop where the head is, keep the position
        m_queue.clear();
        m_head = Head();
        return m_m112Word;
    }
    if (command.is('M', 145) || command.is('M', 144))
        m_light = command.code() == 145;
    return "ok";
}

BoardModel::Vec BoardModel::machineAt(double now) const
{
    if (!m_head.started || m_head.action != Action::Move || m_head.duration <= 0)
        return m_machine;
    const double f = std::clamp((now - m_head.start) / m_head.duration, 0.0, 1.0);
    Vec at{};
    for (int axis = 0; axis < AxisCount; ++axis)
        at[axis] = m_head.from[axis] + (m_head.to[axis] - m_head.from[axis]) * f;
    return at;
}

void BoardModel::placeHead(const Position &machine, double now)
{
    advanceTo(now);
    m_machine = {machine.x, machine.y, machine.z, machine.e};
}

Position BoardModel::position(double now) const
{
    const Vec m = machineAt(now);
    Position p;
    p.x = m[X] - m_offset[X];
    p.y = m[Y] - m_offset[Y];
    p.z = m[Z] - m_offset[Z];
    p.e = m[E] - m_offset[E];
    return p;
}

bool BoardModel::endstopTriggered(char axis, double now) const
{
    const int index = axisIndex(axis);
    if (index < 0 || index > Z || m_stuck[index])
        return false;
    const Vec at = machineAt(now);
    return at[index] <= lowerLimit(index, at[X], at[Y]) + kEndstopSlack;
}

void BoardModel::setStuckEndstop(char axis, bool stuck)
{
    const int index = axisIndex(axis);
    if (index >= 0 && index <= Z)
        m_stuck[index] = stuck;
}

double BoardModel::nozzleTemp(double now) const
{
    return m_forcedNozzle ? *m_forcedNozzle : m_nozzle.temperature(now);
}

double BoardModel::bedTemp(double now) const
{
    return m_forcedBed ? *m_forcedBed : m_bed.temperature(now);
}

bool BoardModel::motorEnabled(char axis) const
{
    const int index = axisIndex(axis);
    return index >= 0 && m_motors[index];
}

bool BoardModel::anyMotorEnabled() const
{
    return std::find(m_motors.begin(), m_motors.end(), true) != m_motors.end();
}

double BoardModel::stepsPerMm(char axis) const
{
    const int index = axisIndex(axis);
    return index >= 0 ? m_steps[index] : 0.0;
}

} // namespace sim
