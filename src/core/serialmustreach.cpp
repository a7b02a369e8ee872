// Commands that must reach the board (heaters off, motors off, absolute
// mode): kept while the board does not take them and sent again by a thread
// of their own.
#include "serialobject.h"

#include "gcodeline.h"
#include "stringbrevik.h"
#include "timescale.h"

#include <QDebug>

#include <algorithm>
#include <chrono>

using Gcode::commandWord;
using StringBrevik::commandTaken;

namespace {

// How long a command the board did not take waits before it is tried again,
// unless the board is heard from sooner.
constexpr int kMustReachRetryMs = 1000;

} // namespace

std::string SerialObject::mustReachSubject(const std::string &command)
{
    const std::string word = commandWord(command);
    if (word == "M104" || word == "M109")
        return "nozzle";
    if (word == "M140" || word == "M190")
        return "bed";
    if (word == "G90" || word == "G91")
        return "positioning";
    if (word == "M17" || word == "M18" || word == "M84")
        return "motors";
    return word;
}

bool SerialObject::mustReachQueued(std::uint64_t id)
{
    std::lock_guard<std::mutex> lock(m_mustReachMutex);
    return std::any_of(m_mustReach.begin(), m_mustReach.end(), [id](const MustReach &m) { return m.id == id; });
}

void SerialObject::forgetKeptLocked(const std::string &subject, std::uint64_t upTo)
{
    m_mustReach.erase(std::remove_if(m_mustReach.begin(), m_mustReach.end(),
                                     [&](const MustReach &m) { return m.subject == subject && m.id <= upTo; }),
                      m_mustReach.end());
}

// A command that reached the board settles every waiting one about the same
// thing asked for up to when it was: repeating an older heater-off after a newer
// heat-up would be wrong, and a command that completes late must not erase
// a heater-off asked for while it was on its way.
void SerialObject::dropReplaced(const std::string &sentCommand, std::uint64_t order)
{
    std::lock_guard<std::mutex> lock(m_mustReachMutex);
    if (!m_mustReach.empty())
        forgetKeptLocked(mustReachSubject(sentCommand), order);
}

bool SerialObject::sendMustReach(const QString &command)
{
    const std::string text = command.toStdString();
    const std::uint64_t order = nextOrder();
    bool tryNow;
    {
        std::lock_guard<std::mutex> lock(m_mustReachMutex);
        // Behind waiting commands it waits too, to keep their order.
        tryNow = m_mustReach.empty() && m_boardResponding.load();
    }
    if (tryNow && commandTaken(sendFlowControlled(text)))
        return true;
    qWarning() << "SerialObject:" << text.c_str() << "did not reach the board; it goes once the board answers";
    bool delivererIdle;
    {
        std::lock_guard<std::mutex> lock(m_mustReachMutex);
        delivererIdle = m_mustReach.empty();
        const std::string subject = mustReachSubject(text);
        // The newest word about it is the one to keep.
        const bool newerKept = std::any_of(m_mustReach.begin(), m_mustReach.end(), [&](const MustReach &m) {
            return m.subject == subject && m.id > order;
        });
        forgetKeptLocked(subject, order);
        if (!newerKept)
            m_mustReach.push_back({order, text, subject});
        if (!m_deliverer.joinable())
            m_deliverer = std::thread(&SerialObject::deliverLoop, this);
    }
    // A deliverer already at work tries again when the board is heard from.
    if (delivererIdle)
        m_mustReachWake.notify_all();
    return false;
}

int SerialObject::undeliveredCount()
{
    std::lock_guard<std::mutex> lock(m_mustReachMutex);
    return static_cast<int>(m_mustReach.size());
}

// Heaters first. While the board does not respond (silent, or garbling its
// replies) each attempt goes to the next kept command in turn: it may still
// hear every one of them.
SerialObject::MustReach SerialObject::nextToDeliver(std::uint64_t lastTried)
{
    std::vector<const MustReach *> order;
    for (const MustReach &m : m_mustReach)
        if (m.subject == "nozzle" || m.subject == "bed")
            order.push_back(&m);
    for (const MustReach &m : m_mustReach)
        if (m.subject != "nozzle" && m.subject != "bed")
            order.push_back(&m);
    if (m_boardResponding.load())
        return *order.front();
    const auto last =
        std::find_if(order.begin(), order.end(), [lastTried](const MustReach *m) { return m->id == lastTried; });
    return last == order.end() || last + 1 == order.end() ? *order.front() : **(last + 1);
}

// Each (short) attempt against a silent board is itself the look whether it
// is back; between attempts the deliverer sleeps until someone hears from the
// board, or for a second.
void SerialObject::deliverLoop()
{
    std::unique_lock<std::mutex> lock(m_mustReachMutex);
    std::uint64_t lastTried = 0;
    for (;;) {
        m_mustReachWake.wait(lock, [this] { return m_delivererStop || !m_mustReach.empty(); });
        if (m_delivererStop)
            return;
        const MustReach item = nextToDeliver(lastTried);
        lastTried = item.id;
        lock.unlock();
        const bool sent = commandTaken(sendFlowControlled(item.command, item.id));
        lock.lock();
        if (sent)
            qInfo() << "SerialObject:" << item.command.c_str() << "reached the board";
        const bool replaced = std::none_of(m_mustReach.begin(), m_mustReach.end(),
                                           [&item](const MustReach &m) { return m.id == item.id; });
        if (sent || replaced)
            continue;
        m_mustReachWake.wait_for(lock, std::chrono::milliseconds(TimeScale::ms(kMustReachRetryMs)));
    }
}
