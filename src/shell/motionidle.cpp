#include "motionidle.h"
#include "boardrequest.h"
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
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &MotionIdlePoller::poll);
}

void MotionIdlePoller::start(int firstDelayMs, int repeatMs)
{
    ++m_run;
    m_polling = true;
    m_repeatMs = repeatMs;
    m_timer.start(TimeScale::ms(firstDelayMs));
}

void MotionIdlePoller::stop()
{
    ++m_run;
    m_polling = false;
    m_timer.stop();
}

void MotionIdlePoller::poll()
{
    BoardRequest *request = m_link->request(QStringLiteral("M121"), this);
    const quint64 run = m_run;
    connect(request, &BoardRequest::finished, this, [this, request, run] {
        if (run != m_run)
            return;
        if (StringBrevik::isMotionIdle(request->reply())) {
            stop();
            emit idle();
        } else if (!request->taken() && !m_link->boardResponding()) {
            stop();
            emit boardSilent();
        } else {
            m_timer.start(TimeScale::ms(m_repeatMs));
        }
    });
}
