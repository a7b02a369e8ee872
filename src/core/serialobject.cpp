// The printer link's public exchanges: locks, buffer flow control, the GUI
// thread's bounded waits, closing and reopening the port.
#include "serialobject.h"

#include "gpio.h"
#include "serial.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "worklane.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <pthread.h>
#include <thread>

using namespace StringBrevik;

namespace {

// Page workers may be cancelled; an exchange must never be left half-way with
// a lock held, so cancellation waits until the exchange is over.
class NoCancellation {
public:
    NoCancellation() { pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &m_old); }
    ~NoCancellation() { pthread_setcancelstate(m_old, nullptr); }

private:
    int m_old = PTHREAD_CANCEL_ENABLE;
};

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Set on the screen's helper thread while it makes an exchange for the GUI
// thread: once the GUI thread has stopped waiting, waits for the locks or
// for buffer room end, and a frame not yet written is not written.
thread_local const std::atomic<bool> *t_screenGaveUp = nullptr;

// Set on the screen's helper thread while its exchange waits for a free slot.
thread_local std::atomic<bool> *t_screenWaitsForRoom = nullptr;

// Marks a wait for buffer room on the screen's helper for as long as it lasts.
class ScreenRoomWait {
public:
    ScreenRoomWait()
    {
        if (t_screenWaitsForRoom)
            t_screenWaitsForRoom->store(true);
    }
    ~ScreenRoomWait()
    {
        if (t_screenWaitsForRoom)
            t_screenWaitsForRoom->store(false);
    }
};

bool screenGaveUp()
{
    return t_screenGaveUp && t_screenGaveUp->load();
}

// Whether the screen should stop waiting for a lock or for buffer room: it
// gave up, or the board is known not to respond, so another thread's turn
// may last a whole attempt against it.
bool screenStopsWaiting(bool boardResponding)
{
    return t_screenGaveUp && (t_screenGaveUp->load() || !boardResponding);
}

// How often a sender waiting for the buffer lock looks whether it should give up.
constexpr int kLockSliceMs = 20;

// Re-check intervals of the buffer-check line while the queue stays full:
// doubling from the first to the last, a full queue costs the print thread
// under a hundred wake-ups a second.
constexpr int kBufferRecheckFirstMs = 2;
constexpr int kBufferRecheckLastMs = 16;

} // namespace

// A board silent for longer than this has frozen the screen for long enough.
std::atomic<int> SerialObject::s_screenWaitMs{kDefaultScreenWaitMs};

SerialObject *SerialObject::getInstance(const std::string &device, int gpioPin)
{
    static SerialObject instance(device, gpioPin);
    return &instance;
}

SerialObject::SerialObject(const std::string &device, int gpioPin, QObject *parent)
    : QObject(parent), m_serial(std::make_unique<Serial>(SysRoot::pathStd(device))),
      m_gpio(std::make_unique<Gpio>(gpioPin)), m_commandLane(std::make_unique<WorkLane>()),
      m_queryLane(std::make_unique<WorkLane>())
{
    if (!m_gpio->exportPin() || !m_gpio->setDirection(Gpio::Direction::In) || !m_gpio->setEdge(QStringLiteral("falling"))
        || m_gpio->openValueFd() < 0)
        qWarning() << "SerialObject: buffer-check line" << gpioPin << "not available";
}

SerialObject::~SerialObject()
{
    // The lanes go first: what they run uses the rest of the link.
    m_commandLane.reset();
    m_queryLane.reset();
    {
        std::lock_guard<std::mutex> lock(m_screenMutex);
        m_screenStop = true;
    }
    m_screenWake.notify_all();
    if (m_screenHelper.joinable())
        m_screenHelper.join();
    {
        std::lock_guard<std::mutex> lock(m_mustReachMutex);
        m_delivererStop = true;
    }
    m_mustReachWake.notify_all();
    if (m_deliverer.joinable())
        m_deliverer.join();
}

// While the board does not respond every exchange makes one short attempt:
// the silence has already lasted two reply times, a print must not wait
// through two more before it is given up, and a board that answers again is
// heard within the short attempt (or its late reply by the next exchange).
bool SerialObject::lockExchange(std::unique_lock<std::timed_mutex> &lock, bool &shortAttempt)
{
    if (!t_screenGaveUp) {
        lock.lock();
    } else {
        while (!lock.try_lock_for(std::chrono::milliseconds(kLockSliceMs))) {
            if (screenStopsWaiting(m_boardResponding.load()))
                return false;
        }
    }
    // The screen has already answered its page with a failure: a command
    // that went out now would come as a surprise.
    if (screenGaveUp()) {
        lock.unlock();
        return false;
    }
    shortAttempt = !m_boardResponding.load();
    return true;
}

bool SerialObject::lockBuffer(std::unique_lock<std::timed_mutex> &lock, std::chrono::steady_clock::time_point deadline)
{
    while (!lock.try_lock_for(std::chrono::milliseconds(kLockSliceMs))) {
        if (screenStopsWaiting(m_boardResponding.load()) || std::chrono::steady_clock::now() >= deadline)
            return false;
    }
    return true;
}

// The GUI thread's exchange runs on the helper, one at a time: while the
// helper is still busy with one the GUI thread gave up on, the board has
// already kept the screen waiting and the call fails at once.
std::string SerialObject::forScreen(std::function<std::string()> exchange)
{
    std::unique_lock<std::mutex> lock(m_screenMutex);
    if (m_screenCall)
        return kSendFailed;
    if (!m_screenHelper.joinable())
        m_screenHelper = std::thread(&SerialObject::screenLoop, this);
    auto call = std::make_shared<ScreenCall>();
    call->exchange = std::move(exchange);
    m_screenCall = call;
    m_screenWake.notify_all();
    // A board that answers but has its queue full (a pause or the end of a
    // print parking behind the last moves) drains it as it moves: the screen
    // waits for that room as it always has, and its own time starts again
    // once the room is there. The room wait ends with the buffer wait, or as
    // soon as the board is known silent.
    using Clock = std::chrono::steady_clock;
    const auto screenWait = std::chrono::milliseconds(s_screenWaitMs.load());
    auto deadline = Clock::now() + screenWait;
    while (!call->done) {
        const auto now = Clock::now();
        if (call->waitingForRoom.load()) {
            deadline = now + screenWait;
        } else if (now >= deadline) {
            call->gaveUp.store(true);
            qWarning() << "SerialObject: no answer for the screen in time; it goes on without one";
            return kSendFailed;
        }
        m_screenWake.wait_until(lock, std::min(deadline, now + std::chrono::milliseconds(kLockSliceMs)));
    }
    return call->reply;
}

void SerialObject::screenLoop()
{
    std::unique_lock<std::mutex> lock(m_screenMutex);
    for (;;) {
        m_screenWake.wait(lock, [this] { return m_screenStop || m_screenCall; });
        if (m_screenStop)
            return;
        const std::shared_ptr<ScreenCall> call = m_screenCall;
        lock.unlock();
        t_screenGaveUp = &call->gaveUp;
        t_screenWaitsForRoom = &call->waitingForRoom;
        std::string reply = call->exchange();
        t_screenGaveUp = nullptr;
        t_screenWaitsForRoom = nullptr;
        lock.lock();
        call->reply = std::move(reply);
        call->done = true;
        m_screenCall.reset();
        m_screenWake.notify_all();
    }
}

QString SerialObject::serialCheckCode(QString command)
{
    if (onGuiThread())
        return QString::fromStdString(forScreen([this, command] { return serialCheckCode(command).toStdString(); }));
    NoCancellation guard;
    std::unique_lock<std::timed_mutex> lock(m_exchangeMutex, std::defer_lock);
    bool shortAttempt;
    if (!lockExchange(lock, shortAttempt) || stoppedSinceRequest(command.toStdString()))
        return QString::fromLatin1(kSendFailed);
    const std::string reply = exchangeLocked(command.toStdString(), shortAttempt);
    int freeCount;
    if (firstNumber(reply, freeCount))
        m_freeSlots.store(freeCount);
    return QString::fromStdString(reply);
}

bool SerialObject::waitForBufferRoom(std::chrono::steady_clock::time_point deadline, std::string &failure)
{
    // On the board the line's falling edge ends poll() at once, so the
    // time-out only bounds the wait. A line without edges (a plain file)
    // never wakes poll(): there the time-out is the re-check interval, and it
    // grows while the queue stays full, as a full queue drains slowly.
    int recheckMs = kBufferRecheckFirstMs;
    const ScreenRoomWait forTheScreen;
    while (m_freeSlots.load() <= 0) {
        // A failed read of the line says nothing about the board: look again
        // shortly, until the wait is over.
        const int level = m_gpio->readValue();
        if (level == 0)
            return true;
        if (screenStopsWaiting(m_boardResponding.load())) {
            failure = kSendFailed;
            return false;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            failure = level < 0 ? kStatusCheckFailed : kGpioMutexTimeout;
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        const int waitMs = static_cast<int>(std::min<long long>(level < 0 ? kBufferRecheckFirstMs : recheckMs, left));
        pollfd edge{m_gpio->valueFd(), POLLPRI | POLLERR, 0};
        if (edge.fd < 0 || ::poll(&edge, 1, waitMs) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        recheckMs = std::min(recheckMs * 2, kBufferRecheckLastMs);
    }
    return true;
}

QString SerialObject::serialSendCode(QString command)
{
    return QString::fromStdString(sendFlowControlled(command.toStdString()));
}

std::string SerialObject::sendFlowControlled(const std::string &command, std::uint64_t mustReachId)
{
    if (onGuiThread())
        return forScreen([this, command, mustReachId] { return sendFlowControlled(command, mustReachId); });
    NoCancellation guard;
    const std::uint64_t order = mustReachId != 0 ? mustReachId : nextOrder();
    // One bound for the whole wait: for the buffer lock and for a free slot.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_bufferWaitMs.load());
    std::unique_lock<std::timed_mutex> bufferLock(m_bufferMutex, std::defer_lock);
    if (!lockBuffer(bufferLock, deadline))
        return screenStopsWaiting(m_boardResponding.load()) ? kSendFailed : kGpioMutexTimeout;
    // Sends are ordered by the buffer lock: a repeat that a newer command has
    // replaced meanwhile must not overtake it.
    if (mustReachId != 0 && !mustReachQueued(mustReachId))
        return kSendFailed;
    std::string failure;
    if (!waitForBufferRoom(deadline, failure)) {
        qWarning() << "SerialObject::serialSendCode" << command.c_str() << failure.c_str();
        return failure;
    }
    std::string reply;
    {
        std::unique_lock<std::timed_mutex> lock(m_exchangeMutex, std::defer_lock);
        bool shortAttempt;
        if (!lockExchange(lock, shortAttempt) || stoppedSinceRequest(command))
            return kSendFailed;
        reply = exchangeLocked(command, shortAttempt);
    }
    if (commandTaken(reply))
        dropReplaced(command, order);
    if (isFailure(reply))
        return reply;
    int freeCount;
    if (!firstNumber(reply, freeCount)) {
        // The board took the command but did not say how much room is left:
        // the next send asks the buffer-check line.
        m_freeSlots.store(0);
        return kParseResultFailed;
    }
    m_freeSlots.store(freeCount);
    return reply;
}

void SerialObject::serialClose()
{
    NoCancellation guard;
    std::lock_guard<std::timed_mutex> lock(m_exchangeMutex);
    m_closed.store(true);
    m_serial->close();
}

bool SerialObject::serialReopen()
{
    NoCancellation guard;
    std::lock_guard<std::timed_mutex> lock(m_exchangeMutex);
    m_owed.clear(); // replies to frames before the reopen are lost with the old port
    m_mergedReplies.clear();
    if (!m_serial->reopen())
        return false;
    m_closed.store(false);
    return true;
}
