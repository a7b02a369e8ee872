#include "executereturnhome.h"

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
} // namespace

CExecuteReturnHome::CExecuteReturnHome()
{
    connect(&m_timer, &QTimer::timeout, this, &CExecuteReturnHome::check);
}

void CExecuteReturnHome::setObject(ReturnHomeListener *listener)
{
    m_listener = listener;
}

void CExecuteReturnHome::returnHome(bool xyOnly)
{
    m_axes = xyOnly ? QVector<char>{'X', 'Y'} : QVector<char>{'X', 'Y', 'Z'};
    m_axisIndex = 0;
    m_commandLost = false;
    send(QStringLiteral("G91"));
    startAxis();
}

// The failure is reported by the next check, never from within returnHome():
// a page starts homing from its constructor.
void CExecuteReturnHome::startAxis()
{
    if (!m_commandLost)
        send(homingMove(m_axes.at(m_axisIndex)));
    m_axisClock.start();
    m_timer.start(TimeScale::ms(kPollMs));
}

void CExecuteReturnHome::send(const QString &command)
{
    const QString reply = ExecuteGetSerialObject()->serial()->serialSendCode(command);
    if (StringBrevik::commandTaken(reply))
        return;
    qCritical() << "CExecuteReturnHome: the board did not take" << command << "-" << reply;
    m_commandLost = true;
}

// Homing moves relative; whatever comes next expects the board absolute.
void CExecuteReturnHome::stop()
{
    m_timer.stop();
    SerialObject *link = ExecuteGetSerialObject()->serial();
    link->serialCheckCode(QStringLiteral("M112"));
    link->sendMustReach(QStringLiteral("G90"));
}

void CExecuteReturnHome::fail()
{
    stop();
    m_listener->returnHomeFailed();
}

void CExecuteReturnHome::check()
{
    SerialObject *link = ExecuteGetSerialObject()->serial();
    if (!m_listener) {
        qWarning() << "CExecuteReturnHome::check no listener, homing stopped";
        stop();
        return;
    }
    if (m_commandLost) {
        fail();
        return;
    }
    const char axis = m_axes.at(m_axisIndex);
    StringBrevik::EndStops stops;
    const bool read = StringBrevik::endStops(link->serialCheckCode(QStringLiteral("M119")), stops);
    const bool reached = read && ((axis == 'X' && stops.x) || (axis == 'Y' && stops.y) || (axis == 'Z' && stops.z));
    if (!reached) {
        if (m_axisClock.elapsed() > TimeScale::limitMs(kAxisTimeoutMs)) {
            qCritical() << "CExecuteReturnHome::check axis" << axis << "never reached its end-stop";
            fail();
        }
        return;
    }
    link->serialCheckCode(QStringLiteral("M112"));
    send(QStringLiteral("G92 %1").arg(QLatin1Char(axis)) + QLatin1Char('0'));
    if (++m_axisIndex < m_axes.size()) {
        startAxis();
        return;
    }
    if (m_commandLost) {
        fail();
        return;
    }
    m_timer.stop();
    link->serialSendCode(QStringLiteral("G90"));
    m_listener->checkReturnHomeDone();
}

CExecuteReturnHome *ExecuteReturnHome()
{
    static CExecuteReturnHome instance;
    return &instance;
}
