#include "serialobject.h"

#include "gcodeline.h"
#include "gpio.h"
#include "serial.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "timescale.h"

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

std::string commandWord(const std::string &command)
{
    size_t begin = 0;
    while (begin < command.size() && command[begin] == ' ')
        ++begin;
    std::string word = command.substr(begin, command.find(' ', begin) - begin);
    for (char &c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

// Whether `reply` has the shape of an answer to `word`. Queries have shapes of
// their own; other commands are acknowledged with a line that looks like none
// of the answers to the queries the link probes with.
bool replyFits(const std::string &word, const std::string &rawReply)
{
    const QString reply = QString::fromStdString(rawReply);
    Temperatures t;
    EndStops e;
    float x, y, z;
    if (word == "M105")
        return temperatures(reply, t);
    if (word == "M114")
        return positionXYZ(reply, x, y, z);
    if (word == "M119")
        return endStops(reply, e);
    if (word == "M121") {
        const QString field = reply.section(QLatin1Char(' '), 1, 1).trimmed();
        return field == QLatin1String("F") || field == QLatin1String("B");
    }
    if (word == "M113")
        return filamentState(reply) != Filament::Unknown;
    if (word == "M901")
        return !firmwareVersion(reply).isEmpty();
    return !temperatures(reply, t) && !endStops(reply, e) && !positionXYZ(reply, x, y, z);
}

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// How long the GUI thread waits for its exchange. A healthy board answers in
// a few milliseconds, and on a machine loaded to three times its cores in
// tens; a board silent for longer has frozen the screen for long enough.
constexpr int kScreenWaitMs = 200;
// Set on the screen's helper thread while it makes an exchange for the GUI
// thread: once the GUI thread has stopped waiting, waits for the locks or
// for buffer room end, and a frame not yet written is not written.
thread_local const std::atomic<bool> *t_screenGaveUp = nullptr;

bool screenGaveUp()
{
    return t_screenGaveUp && t_screenGaveUp->load();
}

// How often a sender waiting for the buffer lock looks whether it should give
// up, and how long one attempt against a board that does not respond may wait.
constexpr int kLockSliceMs = 20;
constexpr int kShortAttemptMs = 500;
// How long a command the board did not take waits before it is tried again,
// unless the board is heard from sooner.
constexpr int kMustReachRetryMs = 1000;
// Probes into the second reply time: a board silent for a moment is asked
// again once it answers, long before the silence counts.
constexpr int kProbesPerReplyTime = 5;

// The board took a command when it answered it, even without its slot count.
bool delivered(const std::string &reply)
{
    return !isFailure(reply) || reply == kParseResultFailed;
}

// Re-check intervals of the buffer-check line while the queue stays full:
// doubling from the first to the last, a full queue costs the print thread
// under a hundred wake-ups a second.
constexpr int kBufferRecheckFirstMs = 2;
constexpr int kBufferRecheckLastMs = 16;

} // namespace

SerialObject *SerialObject::getInstance(const std::string &device, int gpioPin)
{
    static SerialObject instance(device, gpioPin);
    return &instance;
}

SerialObject::SerialObject(const std::string &device, int gpioPin, QObject *parent)
    : QObject(parent), m_serial(std::make_unique<Serial>(SysRoot::pathStd(device))),
      m_gpio(std::make_unique<Gpio>(gpioPin))
{
    if (!m_gpio->exportPin() || !m_gpio->setDirection(Gpio::Direction::In) || !m_gpio->setEdge(QStringLiteral("falling"))
        || m_gpio->openValueFd() < 0)
        qWarning() << "SerialObject: buffer-check line" << gpioPin << "not available";
}

SerialObject::~SerialObject()
{
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

void SerialObject::setBoardResponding(bool responding, const char *why)
{
    if (m_boardResponding.exchange(responding) != responding) {
        if (!responding)
            qCritical() << (why ? why : "SerialObject: the motion board does not respond");
        else
            m_mustReachWake.notify_all(); // what it missed can go now
        emit boardRespondingChanged(responding);
    }
}

void SerialObject::noteGarbledReply()
{
    const auto now = std::chrono::steady_clock::now();
    if (!garbledEpisode()) {
        m_garbledSince = now;
        return;
    }
    // A silence is noticed after two reply times without a word.
    if (now - m_garbledSince >= std::chrono::milliseconds(2 * m_replyTimeoutMs.load()))
        setBoardResponding(false, "SerialObject: the motion board answers only with garbled lines");
}

std::uint64_t SerialObject::writeFrame(const std::string &command)
{
    const std::string frame = "~" + command + "\r\n";
    // A frame that could not be written whole never reached the board as a
    // command, so it is safe to write it once more on a reopened port.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if ((m_serial->isOpen() || m_serial->reopen()) && m_serial->writeAll(frame)) {
            m_owed.push_back({++m_lastFrameId, commandWord(command)});
            return m_lastFrameId;
        }
        m_owed.clear(); // a reopened port has lost what was on its way
        m_mergedReplies.clear();
        m_serial->reopen();
    }
    return 0;
}

void SerialObject::heardFrom(const std::string &line)
{
    m_lastLineGarbled.store(!hasKnownShape(line));
    if (m_lastLineGarbled.load()) {
        noteGarbledReply();
        return;
    }
    m_garbledSince = {};
    setBoardResponding(true);
}

// Replies come in frame order. A frame whose reply does not fit got none (the
// board lost the frame, or the line lost the reply), so it is skipped; the
// newest frame takes any line, of whatever shape.
std::uint64_t SerialObject::assignReply(const std::string &line)
{
    while (!m_owed.empty()) {
        const OwedReply oldest = m_owed.front();
        m_owed.pop_front();
        if (m_owed.empty() || replyFits(oldest.word, line))
            return oldest.id;
    }
    return 0; // a line nobody asked for
}

bool SerialObject::takeReply(std::string &line, int deadlineMs, std::uint64_t &answered)
{
    if (m_mergedReplies.empty()) {
        if (!m_serial->readLine(line, deadlineMs))
            return false;
        // Each reply of a line that holds more than one answers its own frame.
        for (std::string &reply : splitReplies(line))
            m_mergedReplies.push_back(std::move(reply));
    }
    line = std::move(m_mergedReplies.front());
    m_mergedReplies.pop_front();
    heardFrom(line);
    int count;
    if (firstNumber(line, count))
        m_replySlots = count;
    answered = assignReply(line);
    return true;
}

// A reply to an older frame shows that the board works through a backlog: the
// wait starts again from there.
std::uint64_t SerialObject::awaitAnswer(std::uint64_t id, int timeoutMs, std::string &reply, int &slotsBefore,
                                        const char *probe)
{
    using Clock = std::chrono::steady_clock;
    const auto probeInterval = std::chrono::milliseconds(std::max(1, timeoutMs / kProbesPerReplyTime));
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto nextProbe = Clock::now();
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline)
            return 0;
        if (probe && now >= nextProbe) {
            if (writeFrame(probe) == 0)
                return 0;
            nextProbe = now + probeInterval;
        }
        const auto until = probe ? std::min(deadline, nextProbe) : deadline;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count() + 1;
        std::uint64_t answered;
        if (!takeReply(reply, static_cast<int>(left), answered))
            continue;
        if (answered >= id)
            return answered;
        slotsBefore = m_replySlots;
        deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    }
}

std::string SerialObject::exchangeLocked(const std::string &command, bool quick)
{
    if (m_closed.load())
        return kSendFailed;
    const int timeoutMs = quick ? std::min(kShortAttemptMs, m_replyTimeoutMs.load()) : m_replyTimeoutMs.load();
    const std::string word = commandWord(command);

    // Replies that came in between exchanges answer older frames.
    std::string reply;
    std::uint64_t answered;
    while (takeReply(reply, 0, answered)) {
    }

    int slotsBefore = m_replySlots;
    const std::uint64_t id = writeFrame(command);
    if (id == 0)
        return kSendFailed;
    m_sentModes.written(command);
    if (awaitAnswer(id, timeoutMs, reply, slotsBefore) == id) {
        // Noise that has lasted is no answer: nothing it says can be trusted.
        if (!m_boardResponding.load() && !hasKnownShape(reply))
            return kSendFailed;
        m_sentModes.taken(command);
        return reply;
    }
    if (quick) {
        // The board has been silent for longer than two reply times: what
        // this attempt wrote is as lost as what the silence swallowed, and a
        // frame kept owed would take the next frame's reply.
        m_owed.clear();
        return kSendFailed;
    }

    // No reply in time. Ask something harmless behind the command, again and
    // again: a probe written while the board is silent is lost, one written
    // a moment later is not.
    qWarning() << "SerialObject: no reply to" << command.c_str() << "in time, asking the board";
    answered = awaitAnswer(id, timeoutMs, reply, slotsBefore, word == "M105" ? "M119" : "M105");
    if (answered == id) {
        m_sentModes.taken(command);
        return reply;
    }
    if (answered != 0)
        return settleUnanswered(command, reply, slotsBefore, timeoutMs);
    // Not a word from the board in two reply times: what is owed will not come.
    qWarning() << "SerialObject: the board is silent; reopening the port";
    setBoardResponding(false);
    m_owed.clear();
    m_mergedReplies.clear();
    m_serial->reopen();
    return kSendFailed;
}

// Either the command's frame or only its reply was lost. Fewer free slots
// than before the command prove that it took one; otherwise it goes again
// only where running it twice moves the machine no further than once.
std::string SerialObject::settleUnanswered(const std::string &command, const std::string &probeReply,
                                           int slotsBefore, int timeoutMs)
{
    int slotsNow;
    if (slotsBefore >= 0 && Gcode::takesBoardSlot(commandWord(command)) && firstNumber(probeReply, slotsNow)
        && slotsNow < slotsBefore) {
        qWarning() << "SerialObject: the reply to" << command.c_str() << "was lost; the board took it";
        m_sentModes.taken(command);
        return std::to_string(slotsNow) + " ok";
    }
    if (!m_sentModes.harmlessTwice(command)) {
        qCritical() << "SerialObject: the board may have taken" << command.c_str()
                    << "without answering; running it again could move the machine twice";
        return kSendFailed;
    }
    qWarning() << "SerialObject: no answer to" << command.c_str() << "- sending it again";
    std::string reply;
    const std::uint64_t id = writeFrame(command);
    if (id == 0 || awaitAnswer(id, timeoutMs, reply, slotsBefore) != id)
        return kSendFailed;
    m_sentModes.taken(command);
    return reply;
}

// While the board does not respond every exchange makes one short attempt:
// the silence has already lasted two reply times, a print must not wait
// through two more before it is given up, and a board that answers again is
// heard within the short attempt (or its late reply by the next exchange).
bool SerialObject::lockExchange(std::unique_lock<std::timed_mutex> &lock, bool &shortAttempt)
{
    lock.lock();
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
        if (screenGaveUp() || std::chrono::steady_clock::now() >= deadline)
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
    if (m_screenWake.wait_for(lock, std::chrono::milliseconds(kScreenWaitMs), [&call] { return call->done; }))
        return call->reply;
    call->gaveUp.store(true);
    qWarning() << "SerialObject: no answer for the screen in time; it goes on without one";
    return kSendFailed;
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
        std::string reply = call->exchange();
        t_screenGaveUp = nullptr;
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
    if (!lockExchange(lock, shortAttempt))
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
    while (m_freeSlots.load() <= 0) {
        // A failed read of the line says nothing about the board: look again
        // shortly, until the wait is over.
        const int level = m_gpio->readValue();
        if (level == 0)
            return true;
        if (screenGaveUp()) {
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
    // One bound for the whole wait: for the buffer lock and for a free slot.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_bufferWaitMs.load());
    std::unique_lock<std::timed_mutex> bufferLock(m_bufferMutex, std::defer_lock);
    if (!lockBuffer(bufferLock, deadline))
        return screenGaveUp() ? kSendFailed : kGpioMutexTimeout;
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
        if (!lockExchange(lock, shortAttempt))
            return kSendFailed;
        reply = exchangeLocked(command, shortAttempt);
    }
    if (delivered(reply))
        dropReplaced(command);
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

// --- commands that must reach the board ---------------------------------------

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

void SerialObject::forgetKeptLocked(const std::string &subject)
{
    m_mustReach.erase(std::remove_if(m_mustReach.begin(), m_mustReach.end(),
                                     [&subject](const MustReach &m) { return m.subject == subject; }),
                      m_mustReach.end());
}

// A command that reached the board settles every waiting one about the same
// thing: repeating an older heater-off after a newer heat-up would be wrong.
void SerialObject::dropReplaced(const std::string &sentCommand)
{
    std::lock_guard<std::mutex> lock(m_mustReachMutex);
    if (!m_mustReach.empty())
        forgetKeptLocked(mustReachSubject(sentCommand));
}

void SerialObject::sendMustReach(const QString &command)
{
    const std::string text = command.toStdString();
    bool tryNow;
    {
        std::lock_guard<std::mutex> lock(m_mustReachMutex);
        // Behind waiting commands it waits too, to keep their order.
        tryNow = m_mustReach.empty() && m_boardResponding.load();
    }
    if (tryNow && delivered(sendFlowControlled(text)))
        return;
    qWarning() << "SerialObject:" << text.c_str() << "did not reach the board; it goes once the board answers";
    bool delivererIdle;
    {
        std::lock_guard<std::mutex> lock(m_mustReachMutex);
        delivererIdle = m_mustReach.empty();
        const std::string subject = mustReachSubject(text);
        forgetKeptLocked(subject); // the newest word about it is the one to keep
        m_mustReach.push_back({++m_lastMustReachId, text, subject});
        if (!m_deliverer.joinable())
            m_deliverer = std::thread(&SerialObject::deliverLoop, this);
    }
    // A deliverer already at work tries again when the board is heard from.
    if (delivererIdle)
        m_mustReachWake.notify_all();
}

int SerialObject::undeliveredCount()
{
    std::lock_guard<std::mutex> lock(m_mustReachMutex);
    return static_cast<int>(m_mustReach.size());
}

// Heaters first. While the board garbles its replies each attempt goes to the
// next kept command in turn: it may still hear every one of them.
SerialObject::MustReach SerialObject::nextToDeliver(std::uint64_t lastTried)
{
    std::vector<const MustReach *> order;
    for (const MustReach &m : m_mustReach)
        if (m.subject == "nozzle" || m.subject == "bed")
            order.push_back(&m);
    for (const MustReach &m : m_mustReach)
        if (m.subject != "nozzle" && m.subject != "bed")
            order.push_back(&m);
    if (m_boardResponding.load() || !m_lastLineGarbled.load())
        return *order.front();
    const auto last = std::find_if(order.begin(), order.end(), [lastTried](const MustReach *m) { return m->id == lastTried; });
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
        const bool sent = delivered(sendFlowControlled(item.command, item.id));
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

void SerialObject::sendHeater(const QString &command, int target)
{
    if (target == 0)
        sendMustReach(command);
    else
        serialSendCode(command);
}

void SerialObject::Heating(int t)
{
    m_nozzleTarget.store(t);
    sendHeater(QStringLiteral("M104 S%1 T0").arg(t), t);
}

void SerialObject::HeatingPlatform(int t)
{
    m_bedTarget.store(t);
    sendHeater(QStringLiteral("M140 S%1").arg(t), t);
}

void SerialObject::HeatingHalvorII(int nozzle, int platform)
{
    m_bedTarget.store(platform);
    sendHeater(QStringLiteral("M140 S%1").arg(platform), platform);
    m_nozzleTarget.store(nozzle);
    sendHeater(QStringLiteral("M104 S%1 T0").arg(nozzle), nozzle);
}

void SerialObject::stopHalvorIIHeating()
{
    m_bedTarget.store(0);
    sendMustReach(QStringLiteral("M140 S0"));
    m_nozzleTarget.store(0);
    sendMustReach(QStringLiteral("M104 S0 T0"));
}

void SerialObject::getPrintingAdjust(PrintingAdjust &out)
{
    std::lock_guard<std::mutex> lock(m_adjustMutex);
    out = m_adjust;
}

void SerialObject::setPrintingAdjust(PrintingAdjust value)
{
    std::lock_guard<std::mutex> lock(m_adjustMutex);
    m_adjust = value;
}

// The decision and the queueing happen under the print lock, so a command
// can never be queued after the job has taken its last ones.
void SerialObject::sendOrDefer(const QString &command)
{
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        if (m_jobRunning.load() && !m_print.paused) {
            std::lock_guard<std::mutex> adjustLock(m_adjustMutex);
            m_deferred.push_back(command);
            return;
        }
    }
    serialSendCode(command);
}

// A target set by the user also becomes the one a paused print heats back to.
void SerialObject::printingAdjustNozzleTemp(int t)
{
    m_nozzleTarget.store(t);
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        m_print.keptNozzleTarget = t;
    }
    sendOrDefer(QStringLiteral("M104 S%1 T0").arg(t));
}

void SerialObject::printingAdjustPlatformTemp(int t)
{
    m_bedTarget.store(t);
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        m_print.keptBedTarget = t;
    }
    sendOrDefer(QStringLiteral("M140 S%1").arg(t));
}

std::vector<QString> SerialObject::endJob()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_jobRunning.store(false);
    return takeDeferredCommands();
}

std::vector<QString> SerialObject::takeDeferredCommands()
{
    std::lock_guard<std::mutex> lock(m_adjustMutex);
    std::vector<QString> out;
    out.swap(m_deferred);
    return out;
}
