#include "executegetserialobject.h"
#include "executereturnhome.h"
#include "returnhomelistener.h"
#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"
#include "timescale.h"

#include <QtTest>

#include <memory>

class CountingListener : public ReturnHomeListener {
public:
    void checkReturnHomeDone() override { ++calls; }
    void returnHomeTimedOut() override { ++timeOuts; }
    int calls = 0;
    int timeOuts = 0;
};

class TestReturnHome : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;

    SerialObject *link() { return ExecuteGetSerialObject()->serial(); }

    void moveAwayFromHome()
    {
        link()->serialSendCode("G90");
        link()->serialSendCode("G1 X50 Y60 Z70 F6000");
        QTRY_VERIFY(StringBrevik::isMotionIdle(link()->serialCheckCode("M121")));
        fx->board().clearLog();
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
    }
    void cleanupTestCase() { fx.reset(); }

    void homesXThenYThenZ()
    {
        moveAwayFromHome();
        CountingListener listener;
        ExecuteReturnHome()->setObject(&listener);
        ExecuteReturnHome()->returnHome(false);
        QTRY_COMPARE(listener.calls, 1);
        ExecuteReturnHome()->setObject(nullptr);
        QCOMPARE(fx->motionCommands(), (QStringList{"G91", "G1 X-320 F3000", "M112", "G92 X0", "G1 Y-320 F3000",
                                                    "M112", "G92 Y0", "G1 Z-420 F600", "M112", "G92 Z0", "G90"}));
        const sim::Position p = fx->board().position();
        QCOMPARE(p.x + p.y + p.z, 0.0);
        QTest::qWait(20);
        QCOMPARE(listener.calls, 1);
    }

    void xyOnlyLeavesZ()
    {
        moveAwayFromHome();
        CountingListener listener;
        ExecuteReturnHome()->setObject(&listener);
        ExecuteReturnHome()->returnHome(true);
        QTRY_COMPARE(listener.calls, 1);
        ExecuteReturnHome()->setObject(nullptr);
        QCOMPARE(fx->count("G1 Z-420 F600"), 0);
        QCOMPARE(fx->board().position().z, 70.0);
    }

    void withoutListenerTheMachineStops()
    {
        moveAwayFromHome();
        ExecuteReturnHome()->setObject(nullptr);
        ExecuteReturnHome()->returnHome(false);
        QTRY_VERIFY(!ExecuteReturnHome()->isHoming());
        QCOMPARE(fx->motionCommands(), (QStringList{"G91", "G1 X-320 F3000", "M112", "G90"}));
    }

    void stuckEndStopTimesOutAndSaysSo()
    {
        moveAwayFromHome();
        fx->board().setStuckEndstop('Y', true);
        CountingListener listener;
        ExecuteReturnHome()->setObject(&listener);
        ExecuteReturnHome()->returnHome(true);
        QTRY_VERIFY(!ExecuteReturnHome()->isHoming());
        ExecuteReturnHome()->setObject(nullptr);
        fx->board().setStuckEndstop('Y', false);
        QVERIFY(listener.calls == 0 && listener.timeOuts == 1);
        // X reached, then the time-out stop leaves the board absolute.
        QCOMPARE(fx->motionCommands().mid(4), (QStringList{"G1 Y-320 F3000", "M112", "G90"}));
    }

    // A board silent through a homing time-out still ends up absolute: the
    // stop's "G90" reaches it once it answers again.
    void stopAgainstASilentBoardLeavesItAbsoluteOnceBack()
    {
        moveAwayFromHome();
        link()->setReplyTimeoutMs(100);
        fx->board().setStuckEndstop('X', true);
        CountingListener listener;
        ExecuteReturnHome()->setObject(&listener);
        ExecuteReturnHome()->returnHome(true);
        fx->board().setSilent(true);
        QTRY_VERIFY(!ExecuteReturnHome()->isHoming());
        ExecuteReturnHome()->setObject(nullptr);
        QCOMPARE(listener.timeOuts, 1);
        QVERIFY(!fx->board().absoluteMode());
        fx->board().setStuckEndstop('X', false);
        fx->board().setSilent(false);
        QTRY_VERIFY(fx->board().absoluteMode() && link()->undeliveredCount() == 0);
        link()->setReplyTimeoutMs(5000);
    }
};

QTEST_GUILESS_MAIN(TestReturnHome)
#include "tst_returnhome.moc"
