#include "statuspoller.h"

#include "serialobject.h"
#include "stringbrevik.h"

namespace {
// A sensor that reports a fault must not stop a print: it reads as present.
StatusReading::Filament filamentReading(const QString &reply)
{
    switch (StringBrevik::filamentState(reply)) {
    case StringBrevik::Filament::Present:
    case StringBrevik::Filament::SensorFault:
        return StatusReading::Filament::Present;
    case StringBrevik::Filament::Absent:
        return StatusReading::Filament::Absent;
    case StringBrevik::Filament::Unknown:
        break;
    }
    return StatusReading::Filament::Unknown;
}
} // namespace

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

bool StatusPoller::request(Extras extras)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_busy || m_pending)
            return false;
        m_pending = true;
        m_extras = extras;
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
        const Extras extras = m_extras;
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
        if (extras.endStops)
            reading.endStops = m_link->serialCheckCode(QStringLiteral("M119"));
        if (extras.extruder)
            reading.extruderRead = StringBrevik::positionE(m_link->serialCheckCode(QStringLiteral("M114")), reading.extruder);
        if (extras.filament)
            reading.filament = filamentReading(m_link->serialCheckCode(QStringLiteral("M113")));
        emit polled(reading);

        lock.lock();
        m_busy = false;
    }
}
