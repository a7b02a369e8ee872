// One exchange with the board: frames, the replies owed to them, probes
// behind a command whose reply does not come, and what the board's silence
// or noise means.
#include "serialobject.h"

#include "gcodeline.h"
#include "serial.h"
#include "stringbrevik.h"

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace StringBrevik;

namespace {

// How long one attempt against a board that does not respond may wait.
constexpr int kShortAttemptMs = 500;
// Probes into the second reply time: a board silent for a moment is asked
// again soon after it answers, long before the silence counts.
constexpr int kProbesPerReplyTime = 20;
// The longest read between two looks for an urgent command.
constexpr int kReadSliceMs = 10;
// Answers credited to frames that nobody has taken yet; older ones go.
constexpr size_t kMaxKeptAnswers = 64;

bool isAcknowledgement(ReplyKind kind)
{
    return kind == Ack || kind == Word;
}

int msUntil(std::chrono::steady_clock::time_point t)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(t - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

} // namespace

long long SerialObject::steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

bool SerialObject::boardHeardWithinReplyTime() const
{
    return steadyMs() - m_lastHeardMs.load() < m_replyTimeoutMs.load();
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
    const auto now = Clock::now();
    if (!garbledEpisode()) {
        m_garbledSince = now;
        return;
    }
    // A silence is noticed after two reply times without a word.
    if (now - m_garbledSince >= std::chrono::milliseconds(2 * m_replyTimeoutMs.load()))
        setBoardResponding(false, "SerialObject: the motion board answers only with garbled lines");
}

std::string SerialObject::failWith(Failure why)
{
    m_lastFailure.store(why);
    return kSendFailed;
}

std::uint64_t SerialObject::writeFrame(const std::string &command, bool own)
{
    flushUrgentLocked();
    return writeOne(command, replyKindFor(Gcode::commandWord(command)), own);
}

// Two acknowledgements owed at once look alike: should one of them be lost,
// the other would be taken for it. A query whose reply looks like neither
// goes between them, and the replies, which come in order, tell them apart.
std::uint64_t SerialObject::writeOne(const std::string &command, ReplyKind expect, bool own)
{
    if (isAcknowledgement(expect)
        && std::any_of(m_owed.begin(), m_owed.end(), [](const OwedReply &o) { return isAcknowledgement(o.expect); })
        && writeOne("M121", MotionReply, true) == 0)
        return 0;
    const std::string frame = "~" + command + "\r\n";
    // A frame that could not be written whole never reached the board as a
    // command, so it is safe to write it once more on a reopened port.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if ((m_serial->isOpen() || m_serial->reopen()) && m_serial->writeAll(frame)) {
            m_owed.push_back({++m_lastFrameId, expect, own});
            return m_lastFrameId;
        }
        m_owed.clear(); // a reopened port has lost what was on its way
        m_mergedReplies.clear();
        m_serial->reopen();
    }
    return 0;
}

void SerialObject::heardFrom(const Reply &reply)
{
    if (!reply.readable()) {
        noteGarbledReply();
        return;
    }
    m_garbledSince = {};
    m_lastHeardMs.store(steadyMs());
    setBoardResponding(true);
}

// Replies come in frame order: a reply goes to the oldest owed frame whose
// reply has its shape, and the frames before that one got none (the board
// lost the frame, or the line lost the reply). A line of no known shape
// answers nothing: it is no proof of anything.
void SerialObject::creditReply(const Reply &reply)
{
    const auto frame =
        std::find_if(m_owed.begin(), m_owed.end(), [&reply](const OwedReply &o) { return reply.answers(o.expect); });
    if (frame == m_owed.end())
        return;
    const Answer answer{frame->id, frame->expect, reply.text};
    m_owed.erase(m_owed.begin(), frame + 1);
    if (m_answers.size() >= kMaxKeptAnswers)
        m_answers.erase(m_answers.begin());
    m_answers.push_back(answer);
    m_lastAnsweredId = answer.id;
}

bool SerialObject::takeAnswer(std::uint64_t id, std::string &text)
{
    const auto it = std::find_if(m_answers.begin(), m_answers.end(), [id](const Answer &a) { return a.id == id; });
    if (it == m_answers.end())
        return false;
    text = std::move(it->text);
    m_answers.erase(it);
    return true;
}

bool SerialObject::isOwed(std::uint64_t id) const
{
    return std::any_of(m_owed.begin(), m_owed.end(), [id](const OwedReply &o) { return o.id == id; });
}

bool SerialObject::takeReply(int deadlineMs)
{
    if (m_mergedReplies.empty()) {
        const auto until = Clock::now() + std::chrono::milliseconds(deadlineMs);
        std::string line;
        for (;;) {
            flushUrgentLocked();
            const auto sliceEnd = std::min(until, Clock::now() + std::chrono::milliseconds(kReadSliceMs));
            if (m_serial->readLine(line, msUntil(sliceEnd)))
                break;
            if (Clock::now() >= until)
                return false;
            // A port that fails at once (closed, hung up) is not read in a busy loop.
            std::this_thread::sleep_until(sliceEnd);
        }
        // Each reply of a line that holds more than one answers its own frame.
        for (Reply &reply : readReplies(line))
            m_mergedReplies.push_back(std::move(reply));
    }
    const Reply reply = std::move(m_mergedReplies.front());
    m_mergedReplies.pop_front();
    heardFrom(reply);
    creditReply(reply);
    return true;
}

// An answer to an older frame shows that the board works through a backlog:
// the wait starts again from there.
SerialObject::Wait SerialObject::awaitFrame(std::uint64_t id, int timeoutMs, const char *probe, std::string &reply)
{
    const auto probeInterval = std::chrono::milliseconds(std::max(1, timeoutMs / kProbesPerReplyTime));
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto nextProbe = Clock::now();
    for (;;) {
        if (takeAnswer(id, reply))
            return Wait::Answered;
        if (!isOwed(id))
            return Wait::Lost;
        const auto now = Clock::now();
        if (now >= deadline)
            return Wait::Silent;
        if (probe && now >= nextProbe) {
            if (writeFrame(probe, true) == 0)
                return Wait::Silent;
            nextProbe = now + probeInterval;
        }
        const std::uint64_t answeredBefore = m_lastAnsweredId;
        takeReply(msUntil(probe ? std::min(deadline, nextProbe) : deadline) + 1);
        if (m_lastAnsweredId != answeredBefore && m_lastAnsweredId < id)
            deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    }
}

void SerialObject::boardSilentLocked()
{
    qWarning() << "SerialObject: no answer in two reply times; reopening the port";
    setBoardResponding(false, garbledEpisode() ? "SerialObject: the motion board answers only with garbled lines"
                                               : nullptr);
    m_owed.clear();
    m_mergedReplies.clear();
    m_serial->reopen();
}

std::string SerialObject::exchangeLocked(const std::string &command, bool quick)
{
    if (m_closed.load())
        return kSendFailed;
    const int timeoutMs = m_replyTimeoutMs.load();

    // Replies that came in between exchanges answer older frames.
    m_answers.clear();
    while (takeReply(0)) {
    }
    if (!quick && !m_opened && !m_opening)
        openBoardLocked(timeoutMs);
    const std::string reply = quick || !m_boardResponding.load() ? quickAttempt(command, timeoutMs)
                                                                 : sendAndSettle(command, timeoutMs, 1);
    // A reply without a count tells nothing about the room left: the next
    // send asks the buffer-check line.
    int count;
    if (!isFailure(reply) && !firstNumber(reply, count))
        m_freeSlots.store(0);
    return reply;
}

// The board has been silent for longer than two reply times: what this
// attempt wrote is as lost as what the silence swallowed, and a frame kept
// owed would take the next frame's reply.
std::string SerialObject::quickAttempt(const std::string &command, int timeoutMs)
{
    std::string reply;
    const std::uint64_t id = writeFrame(command, false);
    if (id != 0 && awaitFrame(id, std::min(kShortAttemptMs, timeoutMs), nullptr, reply) == Wait::Answered) {
        m_board.taken(command);
        return reply;
    }
    m_board.unknown(command);
    m_owed.clear();
    return failWith(Failure::BoardSilent);
}

std::string SerialObject::sendAndSettle(const std::string &command, int timeoutMs, int sends)
{
    const std::uint64_t id = writeFrame(command, false);
    if (id == 0) {
        m_board.unknown(command);
        return failWith(Failure::BoardSilent);
    }
    std::string reply;
    Wait wait = awaitFrame(id, timeoutMs, nullptr, reply);
    if (wait == Wait::Silent && m_lastUrgentId < id) {
        // Ask something harmless behind the command, again and again: a
        // probe written while the board is silent is lost, one written a
        // moment later is not.
        qWarning() << "SerialObject: no reply to" << command.c_str() << "in time, asking the board";
        wait = awaitFrame(id, timeoutMs, Gcode::commandWord(command) == "M105" ? "M119" : "M105", reply);
    }
    if (wait == Wait::Answered) {
        m_board.taken(command);
        settleOwnFramesLocked(id, timeoutMs);
        return reply;
    }
    if (m_lastUrgentId > id) {
        qWarning() << "SerialObject: no reply to" << command.c_str() << "before an urgent command; not sent again";
        m_board.unknown(command);
        return failWith(Failure::Stopped);
    }
    if (wait == Wait::Silent) {
        // Not a word from the board in two reply times: what is owed will not come.
        boardSilentLocked();
        m_board.unknown(command);
        return failWith(Failure::BoardSilent);
    }
    return settleUnanswered(command, id, timeoutMs, sends);
}

void SerialObject::settleOwnFramesLocked(std::uint64_t after, int timeoutMs)
{
    const bool probesOwed = std::any_of(m_owed.begin(), m_owed.end(), [after](const OwedReply &o) {
        return o.own && o.id > after && !isAcknowledgement(o.expect);
    });
    // An urgent command's reply, of its own shape, settles them as well.
    std::string ignored;
    if (probesOwed && m_lastUrgentId < after)
        askLocked("M121", after, timeoutMs, ignored);
}
