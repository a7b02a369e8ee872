// Urgent commands (a stop on a jog release or a page close): written to the
// board within milliseconds, whatever is in flight.
#include "serialobject.h"

#include "gcodeline.h"

#include <QDebug>

namespace {
// How long the writer waits for the exchange lock before it looks again
// whether the exchange holding it has written the command meanwhile.
constexpr int kUrgentLockSliceMs = 5;
} // namespace

SerialObject::UrgentQueue::~UrgentQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stop = true;
    }
    wake.notify_all();
    if (writer.joinable())
        writer.join();
}

void SerialObject::sendUrgent(const QString &command)
{
    std::lock_guard<std::mutex> lock(m_urgent.mutex);
    m_urgent.commands.push_back(command.toStdString());
    m_urgent.pending.store(true);
    if (!m_urgent.writer.joinable())
        m_urgent.writer = std::thread(&SerialObject::urgentLoop, this);
    m_urgent.wake.notify_all();
}

// An exchange waiting for its reply writes the command between its reads,
// one about to write writes it first; with no exchange in flight, this
// thread takes the exchange lock and writes it.
void SerialObject::urgentLoop()
{
    std::unique_lock<std::mutex> lock(m_urgent.mutex);
    for (;;) {
        m_urgent.wake.wait(lock, [this] { return m_urgent.stop || !m_urgent.commands.empty(); });
        if (m_urgent.stop)
            return;
        lock.unlock();
        std::unique_lock<std::timed_mutex> exchange(m_exchangeMutex, std::defer_lock);
        if (exchange.try_lock_for(std::chrono::milliseconds(kUrgentLockSliceMs)))
            flushUrgentLocked();
        exchange = {};
        lock.lock();
    }
}

// The exchange lock is held.
void SerialObject::flushUrgentLocked()
{
    if (!m_urgent.pending.load())
        return;
    std::deque<std::string> commands;
    {
        std::lock_guard<std::mutex> lock(m_urgent.mutex);
        commands.swap(m_urgent.commands);
        m_urgent.pending.store(false);
    }
    for (const std::string &command : commands) {
        if (m_closed.load())
            return;
        const std::uint64_t id = writeOne(command, StringBrevik::replyKindFor(Gcode::commandWord(command)), true);
        if (id == 0) {
            qWarning() << "SerialObject: the urgent" << command.c_str() << "could not be written";
            continue;
        }
        m_lastUrgentId = id;
        // Its reply is owed like a probe's; what it did is not known until
        // the position is read again.
        m_board.unknown(command);
    }
}
