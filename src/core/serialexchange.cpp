// One exchange with the board: frames, the replies owed to them, probes
// behind a command whose reply does not come, and what the board's silence or
// noise means.
#include "serialobject.h"

#include "gcodeline.h"
#include "serial.h"
#include "serialobject_p.h"
#include "stringbrevik.h"

#include <QDebug>

#include <algorithm>
#include <chrono>

using namespace StringBrevik;
using SerialLink::commandWord;

namespace {

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

// How long one attempt against a board that does not respond may wait.
constexpr int kShortAttemptMs = 500;
// Probes into the second reply time: a board silent for a moment is asked
// again once it answers, long before the silence counts.
constexpr int kProbesPerReplyTime = 5;

} // namespace

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
