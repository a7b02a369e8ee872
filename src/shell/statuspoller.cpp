#include "statuspoller.h"

#include "serialobject.h"
#include "stringbrevik.h"

StatusPoller::StatusPoller(SerialObject *link, QObject *parent) : QObject(parent), m_link(link)
{
    qRegisterMetaType<StatusReading>();
    m_thread = std::thread(&StatusPoller::run, this);
}

StatusPoller::~StatusPoller()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

bool StatusPoller::request(bool endStops, bool extruder)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_busy || m_pending)
            return false;
        m_pending = true;
        m_endStops = endStops;
        m_extruder = extruder;
    }
    m_wake.notify_all();
    return true;
}

void StatusPoller::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_pending || m_stop; });
        if (m_stop)
            return;
        m_pending = false;
        m_busy = true;
        const bool endStops = m_endStops, extruder = m_extruder;
        lock.unlock();

        StatusReading reading;
        StringBrevik::Temperatures t;
        if (StringBrevik::temperatures(m_link->serialCheckCode(QStringLiteral("M105")), t)) {
            reading.temperaturesRead = true;
            reading.nozzle = t.nozzle;
            reading.nozzleTarget = t.nozzleTarget;
            reading.bed = t.bed;
            reading.bedTarget = t.bedTarget;
        }
        if (endStops)
            m_link->serialCheckCode(QStringLiteral("M119"));
        if (extruder)
            reading.extruderRead = StringBrevik::positionE(m_link->serialCheckCode(QStringLiteral("M114")), reading.extruder);
        emit polled(reading);

        lock.lock();
        m_busy = false;
    }
}
