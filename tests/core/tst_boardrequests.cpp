#include "boardrequest.h"
#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"

#include <QPointer>
#include <QtTest>

#include <algorithm>

namespace {

// Waits for a request's outcome; the request deletes itself afterwards.
struct Outcome {
    explicit Outcome(BoardRequest *request)
    {
        QObject::connect(request, &BoardRequest::finished, request, [this, request] {
            outcome = request->outcome();
            replies = request->replies();
            done = true;
        });
    }
    bool done = false;
    BoardRequest::Outcome outcome = BoardRequest::Outcome::Pending;
    QStringList replies;
};

int indexOf(const std::vector<std::string> &log, const std::string &command)
{
    const auto it = std::find(log.begin(), log.end(), command);
    return it == log.end() ? -1 : static_cast<int>(it - log.begin());
}

} // namespace

class TestBoardRequests : public QObject {
    Q_OBJECT
private slots:
    // A sequence runs in the order given, queries answer with their reply,
    // and the outcome arrives as a signal on the caller's thread.
    void sequencesRunInOrderAndTellWhatTheBoardDid()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.serialCheckCode("M105"); // the link opens the board with its modes
        fx.board().clearLog();
        Outcome lift(link.request({"G91", "G1 Z10 F600", "G90"}));
        Outcome where(link.request(QStringLiteral("M114")));
        QVERIFY(!lift.done); // never answered within the call
        QTRY_VERIFY(lift.done && where.done);
        QCOMPARE(lift.outcome, BoardRequest::Outcome::Taken);
        QCOMPARE(lift.replies.size(), 3);
        QCOMPARE(fx.motionCommands(), (QStringList{"G91", "G1 Z10 F600", "G90"}));
        float x, y, z;
        QVERIFY(StringBrevik::positionXYZ(where.replies.value(0), x, y, z));

        // A request whose page went away still runs; nothing is delivered to it.
        QPointer<QObject> page = new QObject;
        link.request(QStringLiteral("M17"), page);
        delete page;
        QVERIFY(fx.waitForCommand("M17"));
    }

    // A sequence the board stops taking part-way ends as a given-up print
    // does: the heater it started goes off and the mode is absolute again,
    // both kept until the board answers.
    void aSequenceCutShortIsWoundUp()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);
        fx.board().silenceAt("G1 Z10 F600", 1500);
        Outcome load(link.request({"M104 S200 T0", "G91", "G1 Z10 F600", "G90", "G1 E5 F300"}));
        QTRY_VERIFY(load.done);
        QCOMPARE(load.outcome, BoardRequest::Outcome::NotTaken);
        QTRY_COMPARE(link.undeliveredCount(), 0);
        QCOMPARE(fx.board().nozzleTarget(), 0);
        QCOMPARE(link.nozzleTarget(), 0);
        QVERIFY(fx.board().absoluteMode());
        QCOMPARE(fx.count("G1 E5 F300"), 0);

        // Safety commands behind one the board did not take are all kept.
        link.requestHeaters(210, 60);
        QTRY_COMPARE(fx.board().nozzleTarget(), 210);
        fx.board().setSilent(true);
        Outcome off(link.request({"M140 S0", "M104 S0 T0", "M18"}));
        QTRY_VERIFY(off.done);
        QCOMPARE(off.outcome, BoardRequest::Outcome::NotTaken);
        fx.board().setSilent(false);
        QTRY_COMPARE(link.undeliveredCount(), 0);
        QCOMPARE(fx.board().nozzleTarget(), 0);
        QCOMPARE(fx.board().bedTarget(), 0);
        QVERIFY(!fx.board().motorsEnabled());
    }

    // A stop goes ahead of what waits, and a move asked for before it never
    // runs after it; the mode restored behind the move still goes.
    void aStopDropsTheMovesNotYetWritten()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.serialCheckCode("M105");
        fx.board().clearLog();
        fx.board().delayReplyOnce("G91", 3000);
        Outcome jog(link.request({"G91", "G1 X200 F1200", "G90"}));
        QVERIFY(fx.waitForCommand("G91"));
        link.stopMotion();
        QTRY_VERIFY(jog.done);
        QCOMPARE(jog.outcome, BoardRequest::Outcome::Cancelled);
        const std::vector<std::string> log = fx.board().commands();
        QCOMPARE(indexOf(log, "G1 X200 F1200"), -1);
        QVERIFY(indexOf(log, "G90") > indexOf(log, "G91"));
        QVERIFY(indexOf(log, "M112") > indexOf(log, "G91"));
        QVERIFY(fx.board().absoluteMode());
    }
};

QTEST_MAIN(TestBoardRequests)
#include "tst_boardrequests.moc"
