// What the board did with a command whose reply never came, found out
// rather than guessed: the link stops streaming (it holds the exchange lock
// throughout), lets the board's queue drain, reads the position and compares
// it with where the head would be had the command run and had it not.
#include "serialobject.h"

#include "boardreplies.h"
#include "stringbrevik.h"

#include <QDebug>

#include <chrono>
#include <cmath>
#include <cstdio>

using namespace StringBrevik;

namespace {

// A command goes out at most this often in one exchange: a board that keeps
// answering the probes behind it but never it is not acknowledging it.
constexpr int kMaxSends = 3;
// How often the drain asks whether the queue has run, and how often an
// unreadable position is read again.
constexpr int kDrainPollMs = 50;
constexpr int kPositionReads = 3;

// "M121" says "F" once the queue has run, with or without its count.
bool queueRan(const std::string &reply)
{
    const std::vector<Reply> replies = readReplies(reply);
    const std::string &text = replies.front().text;
    return replies.size() == 1 && (replies.front().kinds & MotionReply) && text.back() == 'F';
}

// "M114" with or without its count: "X:<x> Y:<y> Z:<z> E:<e>", every value finite.
bool readPosition(const std::string &reply, BoardPosition &at, int &count)
{
    const std::vector<Reply> replies = readReplies(reply);
    if (replies.size() != 1 || !(replies.front().kinds & PositionReply))
        return false;
    count = replies.front().count;
    const std::string &text = replies.front().text;
    const std::string body = count >= 0 ? text.substr(text.find(' ') + 1) : text;
    double x, y, z, e;
    int used = 0;
    if (std::sscanf(body.c_str(), "X:%lf Y:%lf Z:%lf E:%lf%n", &x, &y, &z, &e, &used) != 4
        || used != static_cast<int>(body.size()) || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)
        || !std::isfinite(e))
        return false;
    at = {x, y, z, e};
    return true;
}

std::string countOf(const std::string &reply)
{
    int count;
    return firstNumber(reply, count) ? std::to_string(count) : std::string();
}

} // namespace

std::string SerialObject::settleUnanswered(const std::string &command, std::uint64_t id, int timeoutMs, int sends)
{
    if (sends >= kMaxSends) {
        qCritical() << "SerialObject: the board answers but never acknowledged" << command.c_str();
        m_board.unknown(command);
        return failWith(Failure::NeverAcknowledged);
    }
    if (m_board.harmlessTwice(command)) {
        qWarning() << "SerialObject: no answer to" << command.c_str() << "- sending it again";
        return sendAndSettle(command, timeoutMs, sends + 1);
    }
    qWarning() << "SerialObject: no answer to" << command.c_str() << "- reading what the board did";
    std::uint64_t drainedAt = 0;
    BoardPosition at;
    int count = -1;
    if (!drainLocked(id, timeoutMs, drainedAt) || !readPositionLocked(drainedAt, timeoutMs, at, count)) {
        m_board.unknown(command);
        return kSendFailed;
    }
    const BoardState::Ran ran = m_board.whetherRan(command, at);
    if (ran == BoardState::Ran::Yes)
        m_board.taken(command);
    // Drained, the position read is where the head is, whatever ran.
    m_board.anchor(at);
    if (ran == BoardState::Ran::Yes) {
        qWarning() << "SerialObject: the board ran" << command.c_str() << "- its reply was lost";
        return count >= 0 ? std::to_string(count) + " ok" : std::string(kParseResultFailed);
    }
    if (ran == BoardState::Ran::No) {
        qWarning() << "SerialObject: the board did not get" << command.c_str() << "- sending it again";
        return sendAndSettle(command, timeoutMs, sends + 1);
    }
    qCritical() << "SerialObject: the board may have run" << command.c_str()
                << "without answering; the position cannot tell, and running it twice would move the machine";
    m_board.unknown(command);
    return failWith(Failure::MightRunTwice);
}

bool SerialObject::askLocked(const char *query, std::uint64_t after, int timeoutMs, std::string &reply,
                             std::uint64_t *answeredId)
{
    const ReplyKind kind = replyKindFor(query);
    // Frames of the same query are alike: whichever of those written after
    // `after` is answered, the answer is the board's state since then.
    auto takeOurs = [&]() {
        for (auto it = m_answers.begin(); it != m_answers.end(); ++it) {
            if (it->kind == kind && it->id > after) {
                reply = std::move(it->text);
                if (answeredId)
                    *answeredId = it->id;
                m_answers.erase(it);
                return true;
            }
        }
        return false;
    };
    auto lastWord = Clock::now();
    for (;;) {
        if (m_lastUrgentId > after) {
            m_lastFailure.store(Failure::Stopped);
            return false;
        }
        if (writeFrame(query, true) == 0) {
            m_lastFailure.store(Failure::BoardSilent);
            return false;
        }
        const auto attemptEnd = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < attemptEnd) {
            if (takeOurs())
                return true;
            const std::uint64_t answeredBefore = m_lastAnsweredId;
            takeReply(static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(attemptEnd - Clock::now()).count() + 1));
            if (m_lastAnsweredId != answeredBefore)
                lastWord = Clock::now();
        }
        if (takeOurs())
            return true;
        if (Clock::now() - lastWord >= std::chrono::milliseconds(2 * timeoutMs)) {
            boardSilentLocked();
            m_lastFailure.store(Failure::BoardSilent);
            return false;
        }
    }
}

void SerialObject::pauseLocked(int ms)
{
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until)
        takeReply(static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count() + 1));
}

// Waits until "M121" says the queue has run. A queue that changes nothing
// (no slot freed, the head and the heaters where they were) for as long as
// a send may wait for room never drains.
bool SerialObject::drainLocked(std::uint64_t after, int timeoutMs, std::uint64_t &drainedAt)
{
    const auto stillFor = std::chrono::milliseconds(m_bufferWaitMs.load());
    auto stuckAt = Clock::now() + stillFor;
    std::string seen;
    for (;;) {
        std::string motion, where, heat;
        if (!askLocked("M121", after, timeoutMs, motion, &drainedAt))
            return false;
        if (queueRan(motion))
            return true;
        if (!askLocked("M114", after, timeoutMs, where) || !askLocked("M105", after, timeoutMs, heat))
            return false;
        const std::string state = countOf(motion) + '|' + where + '|' + heat;
        if (state != seen) {
            seen = state;
            stuckAt = Clock::now() + stillFor;
        } else if (Clock::now() >= stuckAt) {
            qCritical() << "SerialObject: the board's queue does not drain:" << motion.c_str() << where.c_str();
            m_lastFailure.store(Failure::QueueStuck);
            return false;
        }
        pauseLocked(kDrainPollMs);
    }
}

// Only a frame written after the queue was seen drained tells where the
// head stopped: every older one may have been answered mid-move.
bool SerialObject::readPositionLocked(std::uint64_t after, int timeoutMs, BoardPosition &at, int &count)
{
    for (int read = 0; read < kPositionReads; ++read) {
        std::string where;
        if (!askLocked("M114", after, timeoutMs, where))
            return false;
        if (readPosition(where, at, count))
            return true;
    }
    qCritical() << "SerialObject: the board's position cannot be read";
    m_lastFailure.store(Failure::MightRunTwice);
    return false;
}

// A board still running a queue (the program started again in the middle of
// a print) is opened at a later exchange; until then no mode is assumed.
void SerialObject::openBoardLocked(int timeoutMs)
{
    m_opening = true;
    std::string motion;
    bool opened = askLocked("M121", m_lastFrameId, timeoutMs, motion) && queueRan(motion);
    for (const char *mode : {"G90", "M82"})
        opened = opened && commandTaken(sendAndSettle(mode, timeoutMs, 1));
    BoardPosition at;
    int count;
    if (opened && readPositionLocked(m_lastFrameId, timeoutMs, at, count))
        m_board.anchor(at);
    m_opened = opened;
    m_opening = false;
}
