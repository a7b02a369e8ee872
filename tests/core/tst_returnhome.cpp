#include "executegetserialobject.h"
#include "executereturnhome.h"
#include "returnhomelistener.h"
#include "serialobject.h"
#include "simfixture.h"
#include "timescale.h"

#include <QtTest>

#include <memory>

class CountingListener : public ReturnHomeListener {
public:
    void checkReturnHomeDone() override { ++calls; }
    void returnHomeFailed() override { ++failures; }
    int calls = 0;
    int failures = 0;
};

class TestReturnHome : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;

    SerialObject *link() { return ExecuteGetSerialObject()->serial(); }

    void moveAwayFromHome()
    {
        fx->board().placeHead({50, 60, 70, 0});
        fx->board().clearLog();
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        // The link opens the board (its modes, where the head is) first.
        QVERIFY(SimFixture::waitForRequests(link()));
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
        QTRY_COMPARE(fx->motionCommands(), (QStringList{"G91", "G1 X-320 F3000", "M112", "G90"}));
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
        QVERIFY(listener.calls == 0 && listener.failures == 1);
        // X reached, then the time-out stop leaves the board absolute.
        QTRY_COMPARE(fx->motionCommands().mid(4), (QStringList{"G1 Y-320 F3000", "M112", "G90"}));
        QTRY_VERIFY(fx->board().absoluteMode());
    }

    // A board that falls silent during homing ends it as soon as the link
    // knows (the helper's minute is a real one here), as failed and never as
    // done, even when only the last zero was lost; the board still ends up
    // absolute: the stop's "G90" reaches it once it answers again.
    void silentBoardEndsHomingAbsoluteOnceBack_data()
    {
        QTest::addColumn<QString>("lost");
        QTest::newRow("silent while the end-stops are polled") << "";
        QTest::newRow("silent as the Y move goes out") << "G1 Y-320 F3000";
        QTest::newRow("silent as the last zero goes out") << "G92 Y0";
    }
    void silentBoardEndsHomingAbsoluteOnceBack()
    {
        QFETCH(QString, lost);
        moveAwayFromHome();
        link()->setReplyTimeoutMs(100);
        TimeScale::setFactor(1.0);
        if (lost.isEmpty())
            fx->board().setStuckEndstop('X', true);
        else
            fx->board().silenceAt(lost.toStdString());
        CountingListener listener;
        ExecuteReturnHome()->setObject(&listener);
        ExecuteReturnHome()->returnHome(true);
        if (lost.isEmpty()) {
            QVERIFY(fx->waitForCommand("G1 X-320 F3000"));
            fx->board().setSilent(true);
        }
        QTRY_VERIFY_WITH_TIMEOUT(listener.failures == 1 && !ExecuteReturnHome()->isHoming(), 20000);
        ExecuteReturnHome()->setObject(nullptr);
        QCOMPARE(listener.calls, 0);
        QVERIFY(!fx->board().absoluteMode());
        fx->board().setStuckEndstop('X', false);
        fx->board().setSilent(false);
        QTRY_VERIFY(fx->board().absoluteMode() && link()->undeliveredCount() == 0);
        link()->setReplyTimeoutMs(5000);
        TimeScale::setFactor(0.01);
    }
};

QTEST_GUILESS_MAIN(TestReturnHome)
#include "tst_returnhome.moc"
