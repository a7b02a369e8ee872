#include "executereturnhome.h"

#include "boardrequest.h"
#include "executegetserialobject.h"
#include "returnhomelistener.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "timescale.h"

#include <QDebug>

namespace {
constexpr int kPollMs = 100;
constexpr int kAxisTimeoutMs = 60000;

QString homingMove(char axis)
{
    switch (axis) {
    case 'X': return QStringLiteral("G1 X-320 F3000");
    case 'Y': return QStringLiteral("G1 Y-320 F3000");
    default: return QStringLiteral("G1 Z-420 F600");
    }
}

QString zeroAxis(char axis)
{
    return QStringLiteral("G92 ") + QLatin1Char(axis) + QLatin1Char('0');
}

bool reached(char axis, const StringBrevik::EndStops &stops)
{
    return (axis == 'X' && stops.x) || (axis == 'Y' && stops.y) || (axis == 'Z' && stops.z);
}
} // namespace

CExecuteReturnHome::CExecuteReturnHome()
{
    m_pollTimer.setSingleShot(true);
    connect(&m_pollTimer, &QTimer::timeout, this, &CExecuteReturnHome::poll);
}

void CExecuteReturnHome::setObject(ReturnHomeListener *listener)
{
    m_listener = listener;
}

// The failure is reported from a request's answer, never from within
// returnHome(): a page starts homing from its constructor.
void CExecuteReturnHome::returnHome(bool xyOnly)
{
    SerialObject *link = ExecuteGetSerialObject()->serial();
    if (link != m_link) {
        m_link = link;
        connect(m_link, &SerialObject::boardRespondingChanged, this, &CExecuteReturnHome::boardRespondingChanged);
    }
    m_axes = xyOnly ? QVector<char>{'X', 'Y'} : QVector<char>{'X', 'Y', 'Z'};
    m_axisIndex = 0;
    ++m_run;
    m_homing = true;
    m_pollTimer.stop();
    send({QStringLiteral("G91"), homingMove(m_axes.first())}, &CExecuteReturnHome::axisUnderWay);
}

void CExecuteReturnHome::send(const QStringList &commands, Step next)
{
    BoardRequest *request = m_link->request(commands, this);
    const quint64 run = m_run;
    m_waiting = true;
    connect(request, &BoardRequest::finished, this, [this, request, run, next] {
        if (run != m_run)
            return;
        m_waiting = false;
        if (request->taken()) {
            (this->*next)();
            return;
        }
        qCritical() << "CExecuteReturnHome: the board did not take" << request->commands();
        fail();
    });
}

void CExecuteReturnHome::axisUnderWay()
{
    m_axisClock.start();
    m_pollTimer.start(TimeScale::ms(kPollMs));
}

// A query runs on a lane of its own: it is asked only once the move before
// it was taken, so that it reads the end-stops after that move.
void CExecuteReturnHome::poll()
{
    BoardRequest *request = m_link->request(QStringLiteral("M119"), this);
    const quint64 run = m_run;
    m_waiting = true;
    connect(request, &BoardRequest::finished, this, [this, request, run] {
        if (run != m_run)
            return;
        m_waiting = false;
        check(request->reply(), request->taken());
    });
}

void CExecuteReturnHome::check(const QString &endStopReply, bool answered)
{
    if (!m_listener) {
        qWarning() << "CExecuteReturnHome::check no listener, homing stopped";
        stop();
        return;
    }
    const char axis = m_axes.at(m_axisIndex);
    StringBrevik::EndStops stops;
    if (!(StringBrevik::endStops(endStopReply, stops) && reached(axis, stops))) {
        if (!answered && !m_link->boardResponding()) {
            qCritical() << "CExecuteReturnHome::check the board does not respond";
            fail();
        } else if (m_axisClock.elapsed() > TimeScale::limitMs(kAxisTimeoutMs)) {
            qCritical() << "CExecuteReturnHome::check axis" << axis << "never reached its end-stop";
            fail();
        } else {
            m_pollTimer.start(TimeScale::ms(kPollMs));
        }
        return;
    }
    // Stop the axis at its end-stop and make that its zero, then the next
    // axis, or absolute positioning again: one request each, never cut.
    QStringList commands{QStringLiteral("M112"), zeroAxis(axis)};
    if (++m_axisIndex < m_axes.size()) {
        send(commands << homingMove(m_axes.at(m_axisIndex)), &CExecuteReturnHome::axisUnderWay);
        return;
    }
    send(commands << QStringLiteral("G90"), &CExecuteReturnHome::homed);
}

void CExecuteReturnHome::homed()
{
    m_homing = false;
    ++m_run;
    if (m_listener)
        m_listener->checkReturnHomeDone();
}

// The polls would go on to the axis's minute for nothing: a board known
// silent ends the homing at once. A request on its way tells by its outcome:
// against a board known silent the link makes one short attempt.
void CExecuteReturnHome::boardRespondingChanged(bool responding)
{
    if (responding || !m_homing || m_waiting)
        return;
    qCritical() << "CExecuteReturnHome: the board does not respond, homing given up";
    if (m_listener)
        fail();
    else
        stop();
}

// Behind the homing's own requests, in order: the board's stop empties its
// queue, so a stop that overtook the "G90" would erase it. Homing moves
// relative; whatever comes next expects the board absolute, and the link
// keeps the "G90" until the board takes it.
void CExecuteReturnHome::stop()
{
    m_homing = false;
    m_waiting = false;
    ++m_run;
    m_pollTimer.stop();
    m_link->request(QStringLiteral("M112"), this);
    m_link->request(QStringLiteral("G90"), this);
}

void CExecuteReturnHome::fail()
{
    stop();
    if (m_listener)
        m_listener->returnHomeFailed();
}

CExecuteReturnHome *ExecuteReturnHome()
{
    static CExecuteReturnHome instance;
    return &instance;
}
