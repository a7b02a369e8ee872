#include "motionidle.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "timescale.h"

bool MotionIdle::check(SerialObject *link)
{
    return StringBrevik::isMotionIdle(link->serialCheckCode(QStringLiteral("M121")));
}

MotionIdlePoller::MotionIdlePoller(SerialObject *link, QObject *parent)
    : QObject(parent)
    , m_link(link)
{
    connect(&m_timer, &QTimer::timeout, this, &MotionIdlePoller::poll);
}

void MotionIdlePoller::start(int firstDelayMs, int repeatMs)
{
    m_repeatMs = repeatMs;
    m_timer.start(TimeScale::ms(firstDelayMs));
}

void MotionIdlePoller::stop()
{
    m_timer.stop();
}

void MotionIdlePoller::poll()
{
    if (MotionIdle::check(m_link)) {
        m_timer.stop();
        emit idle();
        return;
    }
    m_timer.start(TimeScale::ms(m_repeatMs));
}
