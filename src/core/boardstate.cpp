#include "boardstate.h"

#include <cmath>
#include <sstream>

namespace {

// The board reports two decimals and moves in whole motor steps: a reading
// is where a prediction is when it is this close.
constexpr double kPositionTolerance = 0.015;

bool isArc(const std::string &word)
{
    return word == "G2" || word == "G3";
}

} // namespace

std::array<double, BoardState::AxisCount> BoardState::where(const GcodeState &state)
{
    return {state.x, state.y, state.z, state.e};
}

std::array<bool, BoardState::AxisCount> BoardState::namedAxes(const std::string &text)
{
    std::array<bool, AxisCount> named{};
    std::istringstream in(text);
    std::string word;
    in >> word; // the command word
    while (in >> word) {
        switch (word[0]) {
        case 'X': named[X] = true; break;
        case 'Y': named[Y] = true; break;
        case 'Z': named[Z] = true; break;
        case 'E': case 'A': named[E] = true; break;
        default: break;
        }
    }
    return named;
}

void BoardState::taken(const std::string &command)
{
    const std::string text = Gcode::boardText(command);
    const std::string word = Gcode::commandWord(text);
    const std::array<bool, AxisCount> named = namedAxes(text);
    if (word == "M112") {
        unknown(text); // stopped where it was, its queue gone
        return;
    }
    if (word == "G90" || word == "G91") {
        m_xyzModeKnown = m_eModeKnown = true;
    } else if (word == "M82" || word == "M83") {
        m_eModeKnown = true;
    } else if (Gcode::isMove(word)) {
        for (int axis = X; axis < AxisCount; ++axis) {
            if (!named[axis])
                continue;
            const bool modeKnown = axis == E ? m_eModeKnown : m_xyzModeKnown;
            const bool absolute = axis == E ? m_state.absoluteE : m_state.absoluteXYZ;
            if (!modeKnown)
                m_known[axis] = false;
            else if (absolute)
                m_known[axis] = true;
        }
    } else if (word == "G92") {
        const bool any = named[X] || named[Y] || named[Z] || named[E];
        for (int axis = X; axis < AxisCount; ++axis)
            m_known[axis] = m_known[axis] || !any || named[axis];
    } else if (word == "G28") {
        const bool any = named[X] || named[Y] || named[Z];
        for (int axis = X; axis <= Z; ++axis)
            m_known[axis] = m_known[axis] || !any || named[axis];
    }
    m_state.track(text);
}

void BoardState::unknown(const std::string &command)
{
    const std::string text = Gcode::boardText(command);
    const std::string word = Gcode::commandWord(text);
    const std::array<bool, AxisCount> named = namedAxes(text);
    if (word == "G90" || word == "G91") {
        m_xyzModeKnown = m_eModeKnown = false;
    } else if (word == "M82" || word == "M83") {
        m_eModeKnown = false;
    } else if (word == "M112") {
        m_known.fill(false);
    } else if (Gcode::isMove(word)) {
        for (int axis = X; axis < AxisCount; ++axis)
            m_known[axis] = m_known[axis] && !named[axis];
    } else if (word == "G92" || word == "G28") {
        const bool any = named[X] || named[Y] || named[Z] || named[E];
        for (int axis = X; axis < AxisCount; ++axis) {
            if (named[axis] || (!any && (word == "G92" || axis != E)))
                m_known[axis] = false;
        }
    }
}

void BoardState::anchor(const BoardPosition &at)
{
    m_state.x = at.x;
    m_state.y = at.y;
    m_state.z = at.z;
    m_state.e = at.e;
    m_known.fill(true);
}

bool BoardState::harmlessTwice(const std::string &command) const
{
    const std::string text = Gcode::boardText(command);
    const std::string word = Gcode::commandWord(text);
    if (isArc(word))
        return false;
    if (word != "G0" && word != "G1")
        return true;
    const std::array<bool, AxisCount> named = namedAxes(text);
    const bool xyzAbsolute = m_xyzModeKnown && m_state.absoluteXYZ;
    const bool eAbsolute = m_eModeKnown && m_state.absoluteE;
    return (xyzAbsolute || !(named[X] || named[Y] || named[Z])) && (eAbsolute || !named[E]);
}

BoardState::Ran BoardState::whetherRan(const std::string &command, const BoardPosition &read) const
{
    const std::string text = Gcode::boardText(command);
    if (!Gcode::isMove(Gcode::commandWord(text)))
        return Ran::CannotTell;
    const std::array<bool, AxisCount> named = namedAxes(text);
    if ((!m_xyzModeKnown && (named[X] || named[Y] || named[Z])) || (!m_eModeKnown && named[E]))
        return Ran::CannotTell;
    GcodeState ran = m_state;
    ran.track(text);
    const std::array<double, AxisCount> before = where(m_state), after = where(ran);
    const std::array<double, AxisCount> now = {read.x, read.y, read.z, read.e};
    int telling = 0, sayRan = 0;
    for (int axis = X; axis < AxisCount; ++axis) {
        if (!m_known[axis])
            continue;
        const bool atBefore = std::fabs(now[axis] - before[axis]) <= kPositionTolerance;
        const bool atAfter = std::fabs(now[axis] - after[axis]) <= kPositionTolerance;
        if (!atBefore && !atAfter)
            return Ran::CannotTell; // the link's picture of the board is off
        if (std::fabs(after[axis] - before[axis]) > 2 * kPositionTolerance) {
            ++telling;
            sayRan += atAfter;
        }
    }
    if (telling == 0 || (sayRan != 0 && sayRan != telling))
        return Ran::CannotTell;
    return sayRan == telling ? Ran::Yes : Ran::No;
}
