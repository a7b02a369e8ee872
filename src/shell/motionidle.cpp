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
    stop();
    m_repeatMs = repeatMs;
    m_timer.start(TimeScale::ms(firstDelayMs));
}

// An answer still on its way belongs to the poll stopped: it is not heard.
void MotionIdlePoller::stop()
{
    m_timer.stop();
    if (m_asking)
        disconnect(m_asking, nullptr, this, nullptr);
    m_asking = nullptr;
}

void MotionIdlePoller::poll()
{
    BoardRequest *request = m_link->request(QStringLiteral("M121"), this);
    m_asking = request;
    connect(request, &BoardRequest::finished, this,
            [this, request] { answered(request->taken(), request->reply()); });
}

void MotionIdlePoller::answered(bool taken, const QString &reply)
{
    m_asking = nullptr;
    if (taken && StringBrevik::isMotionIdle(reply)) {
        emit idle();
        return;
    }
    if (!taken && !m_link->boardResponding()) {
        emit silent();
        return;
    }
    m_timer.start(TimeScale::ms(m_repeatMs));
}
