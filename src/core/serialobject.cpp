#include "serialobject.h"

#include "gpio.h"
#include "serial.h"
#include "stringbrevik.h"
#include "sysroot.h"

#include <QDebug>

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

bool isQuery(const std::string &word)
{
    return word == "M105" || word == "M114" || word == "M119" || word == "M121" || word == "M113" || word == "M901";
}

// Queries have a reply shape of their own; a line of another shape is a late
// reply to an earlier command and is skipped. Any line answers other commands.
bool replyFits(const std::string &word, const std::string &rawReply)
{
    if (!isQuery(word))
        return true;
    int freeCount;
    if (!firstNumber(rawReply, freeCount))
        return false;
    const QString reply = QString::fromStdString(rawReply);
    if (word == "M105") {
        Temperatures t;
        return temperatures(reply, t);
    }
    if (word == "M114") {
        float x, y, z;
        return positionXYZ(reply, x, y, z);
    }
    if (word == "M119") {
        EndStops e;
        return endStops(reply, e);
    }
    if (word == "M121") {
        const QString field = reply.section(QLatin1Char(' '), 1, 1).trimmed();
        return field == QLatin1String("F") || field == QLatin1String("B");
    }
    if (word == "M113")
        return filamentState(reply) != Filament::Unknown;
    return !firmwareVersion(reply).isEmpty(); // M901
    return true;
}

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

SerialObject::~SerialObject() = default;

void SerialObject::drainLateReplies()
{
    if (m_unansweredFrames <= 0)
        return;
    std::string line;
    while (m_unansweredFrames > 0 && m_serial->readLine(line, m_replyTimeoutMs.load()))
        --m_unansweredFrames;
    m_unansweredFrames = 0;
}

std::string SerialObject::exchangeLocked(const std::string &command)
{
    if (m_closed.load())
        return kSendFailed;
    const std::string frame = "~" + command + "\r\n";
    const std::string word = commandWord(command);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!m_serial->isOpen() && !m_serial->reopen())
            continue;
        drainLateReplies();
        m_serial->flushInput();
        if (!m_serial->writeAll(frame)) {
            m_serial->reopen();
            continue;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_replyTimeoutMs.load());
        std::string reply;
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0 || !m_serial->readLine(reply, static_cast<int>(left)))
                break;
            if (!replyFits(word, reply)) {
                if (m_unansweredFrames > 0)
                    --m_unansweredFrames;
                continue;
            }
            int freeCount;
            if (firstNumber(reply, freeCount))
                m_freeSlots.store(freeCount);
            return reply;
        }
        ++m_unansweredFrames;
        qWarning() << "SerialObject: no reply to" << command.c_str() << "attempt" << attempt + 1;
    }
    m_serial->reopen();
    return kSendFailed;
}

QString SerialObject::serialCheckCode(QString command)
{
    NoCancellation guard;
    std::lock_guard<std::mutex> lock(m_exchangeMutex);
    return QString::fromStdString(exchangeLocked(command.toStdString()));
}

bool SerialObject::waitForBufferRoom(std::string &failure)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_bufferWaitMs.load());
    while (m_freeSlots.load() <= 0) {
        const int level = m_gpio->value();
        if (level < 0) {
            failure = kStatusCheckFailed;
            return false;
        }
        if (level == 0)
            return true;
        if (std::chrono::steady_clock::now() >= deadline) {
            failure = kGpioMutexTimeout;
            return false;
        }
        // On the board the falling edge wakes poll(); a regular file never
        // signals, so the time-out doubles as the re-check interval.
        pollfd edge{m_gpio->valueFd(), POLLPRI | POLLERR, 0};
        if (edge.fd >= 0 && ::poll(&edge, 1, 2) > 0)
            m_gpio->readValue(); // acknowledges the edge for the next poll
        else if (edge.fd < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

QString SerialObject::serialSendCode(QString command)
{
    return QString::fromStdString(sendFlowControlled(command.toStdString()));
}

std::string SerialObject::sendFlowControlled(const std::string &command)
{
    NoCancellation guard;
    std::unique_lock<std::timed_mutex> bufferLock(m_bufferMutex, std::defer_lock);
    if (!bufferLock.try_lock_for(std::chrono::milliseconds(m_bufferWaitMs.load())))
        return kGpioMutexTimeout;
    std::string failure;
    if (!waitForBufferRoom(failure)) {
        qWarning() << "SerialObject::serialSendCode" << command.c_str() << failure.c_str();
        return failure;
    }
    std::string reply;
    {
        std::lock_guard<std::mutex> lock(m_exchangeMutex);
        reply = exchangeLocked(command);
    }
    int freeCount;
    if (!isFailure(reply) && !firstNumber(reply, freeCount))
        return kParseResultFailed;
    return reply;
}

void SerialObject::serialClose()
{
    NoCancellation guard;
    std::lock_guard<std::mutex> lock(m_exchangeMutex);
    m_closed.store(true);
    m_serial->close();
}

bool SerialObject::serialReopen()
{
    NoCancellation guard;
    std::lock_guard<std::mutex> lock(m_exchangeMutex);
    if (!m_serial->reopen())
        return false;
    m_closed.store(false);
    return true;
}

void SerialObject::Heating(int t)
{
    m_nozzleTarget.store(t);
    serialSendCode(QStringLiteral("M104 S%1 T0").arg(t));
}

void SerialObject::HeatingPlatform(int t)
{
    m_bedTarget.store(t);
    serialSendCode(QStringLiteral("M140 S%1").arg(t));
}

void SerialObject::HeatingHalvorII(int nozzle, int platform)
{
    m_bedTarget.store(platform);
    serialSendCode(QStringLiteral("M140 S%1").arg(platform));
    m_nozzleTarget.store(nozzle);
    serialSendCode(QStringLiteral("M104 S%1 T0").arg(nozzle));
}

void SerialObject::stopHalvorIIHeating()
{
    m_bedTarget.store(0);
    serialSendCode(QStringLiteral("M140 S0"));
    m_nozzleTarget.store(0);
    serialSendCode(QStringLiteral("M104 S0 T0"));
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
