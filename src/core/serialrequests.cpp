// Commands handed to the link from the GUI thread: run in order on a lane of
// their own, their outcome posted back; the screen never waits on the board.
#include "boardrequest.h"
#include "serialobject.h"
#include "worklane.h"

#include "gcodeline.h"
#include "stringbrevik.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace StringBrevik;

namespace {

// Queries take no slot and change nothing: they run on a lane of their own,
// so a reading is never stuck behind a sequence waiting for buffer room.
bool onlyQueries(const QStringList &commands)
{
    static const char *const kQueries[] = {"M105", "M114", "M119", "M121", "M113", "M901"};
    for (const QString &command : commands) {
        const std::string word = Gcode::commandWord(command.trimmed().toStdString());
        if (std::none_of(std::begin(kQueries), std::end(kQueries), [&word](const char *q) { return word == q; }))
            return false;
    }
    return !commands.isEmpty();
}

bool isHeaterCommand(const std::string &command)
{
    const std::string word = Gcode::commandWord(command);
    return word == "M104" || word == "M109" || word == "M140" || word == "M190";
}

// Commands whose loss leaves the machine unsafe; they are kept until the
// board takes them.
bool mustReach(const std::string &command)
{
    const std::string word = Gcode::commandWord(command);
    if (word == "M18" || word == "M84" || word == "G90" || word == "M82")
        return true;
    if (isHeaterCommand(command)) {
        const size_t s = command.find(" S");
        return s != std::string::npos && std::atoi(command.c_str() + s + 2) == 0;
    }
    return false;
}

// Heater-on commands leave a heater running; the sequence's end switches it
// off again when the sequence does not complete.
const char *heaterOffFor(const std::string &command)
{
    const std::string word = Gcode::commandWord(command);
    if (!isHeaterCommand(command) || mustReach(command))
        return nullptr;
    if (word == "M104" || word == "M109")
        return "M104 S0 T0";
    if (word == "M140" || word == "M190")
        return "M140 S0";
    return nullptr;
}

bool isMotion(const std::string &command)
{
    const std::string word = Gcode::commandWord(command);
    return Gcode::isMove(word) || word == "G28";
}

} // namespace

// The stop count a request was made under, for the exchange that checks it
// under the exchange lock: a move written after a stop would undo the stop.
thread_local std::uint64_t SerialObject::t_requestStops = 0;

bool SerialObject::stoppedSinceRequest(const std::string &command) const
{
    return t_requestStops != 0 && t_requestStops != m_stops.load() && isMotion(command);
}

BoardRequest *SerialObject::request(const QString &command, QObject *parent)
{
    return request(QStringList{command}, parent);
}

BoardRequest *SerialObject::request(const QStringList &commands, QObject *parent)
{
    auto *request = new BoardRequest(commands, parent);
    // Touched on this object's (the GUI) thread only; the lane just carries it.
    auto target = std::make_shared<QPointer<BoardRequest>>(request);
    const std::uint64_t stops = m_stops.load();
    WorkLane &lane = onlyQueries(commands) ? *m_queryLane : *m_commandLane;
    lane.post([this, commands, stops, target] {
        QStringList replies;
        const BoardRequest::Outcome outcome = runSequence(commands, stops, replies);
        QMetaObject::invokeMethod(
            this,
            [target, outcome, replies] {
                if (*target)
                    (*target)->finish(outcome, replies);
            },
            Qt::QueuedConnection);
    });
    return request;
}

void SerialObject::stopMotion()
{
    m_stops.fetch_add(1);
    sendUrgent(QStringLiteral("M112"));
}

// One command after the other, each only once the one before was taken. A
// sequence that ends early is wound up as a given-up print is: the heaters it
// switched on go off and the positioning modes go back to absolute.
BoardRequest::Outcome SerialObject::runSequence(const QStringList &commands, std::uint64_t stops,
                                                QStringList &replies)
{
    t_requestStops = stops;
    // A stop that came before the request started cancels what it moves.
    BoardRequest::Outcome outcome =
        stops != m_stops.load()
                && std::any_of(commands.begin(), commands.end(),
                               [](const QString &c) { return isMotion(c.trimmed().toStdString()); })
            ? BoardRequest::Outcome::Cancelled
            : BoardRequest::Outcome::Taken;
    std::vector<std::string> windUp;
    auto windUpWith = [&windUp](const std::string &command) {
        if (std::find(windUp.begin(), windUp.end(), command) == windUp.end())
            windUp.push_back(command);
    };
    for (const QString &text : commands) {
        const std::string command = text.trimmed().toStdString();
        const std::string word = Gcode::commandWord(command);
        if (word == "G91")
            windUpWith("G90");
        if (word == "M83")
            windUpWith("M82");
        if (const char *off = heaterOffFor(command))
            windUpWith(off);
        if (outcome != BoardRequest::Outcome::Taken) {
            // Behind a stop, or a command the board did not take, only the
            // safety commands go, kept in the order asked for.
            if (mustReach(command))
                sendMustReach(text);
            continue;
        }
        std::string reply;
        bool taken;
        if (mustReach(command)) {
            taken = sendMustReach(text);
        } else if (Gcode::takesBoardSlot(word)) {
            reply = sendFlowControlled(command);
            taken = commandTaken(reply);
        } else {
            reply = serialCheckCode(text).toStdString();
            taken = !isFailure(reply);
        }
        if (!taken && stoppedSinceRequest(command)) {
            outcome = BoardRequest::Outcome::Cancelled;
            continue;
        }
        if (!taken) {
            qWarning() << "SerialObject:" << command.c_str() << "was not taken; its sequence ends here";
            outcome = BoardRequest::Outcome::NotTaken;
            continue;
        }
        replies << QString::fromStdString(reply);
    }
    t_requestStops = 0;
    if (outcome == BoardRequest::Outcome::NotTaken) {
        // Heaters first, as everywhere a job is given up.
        std::stable_partition(windUp.begin(), windUp.end(), isHeaterCommand);
        for (const std::string &command : windUp) {
            // What the link holds as the heaters' targets follows the board.
            const std::string word = Gcode::commandWord(command);
            if (word == "M104")
                m_nozzleTarget.store(0);
            else if (word == "M140")
                m_bedTarget.store(0);
            sendMustReach(QString::fromStdString(command));
        }
    }
    return outcome;
}
