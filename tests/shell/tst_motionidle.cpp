#include "executegetserialobject.h"
#include "motionidle.h"
#include "serialobject.h"
#include "simfixture.h"
#include "timescale.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestMotionIdle : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;

    SerialObject *link() { return ExecuteGetSerialObject()->serial(); }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        link()->setReplyTimeoutMs(200);
    }
    void cleanupTestCase() { fx.reset(); }

    void idleOnlyOnceTheMovesAreDone()
    {
        QVERIFY(MotionIdle::check(link()));
        fx->board().setSilent(true); // no answer is never taken for idle
        QVERIFY(!MotionIdle::check(link()));
        fx->board().setSilent(false);
        QTRY_VERIFY(MotionIdle::check(link()));
        fx->board().setTimeScale(1.0);
        link()->serialSendCode(QStringLiteral("G91"));
        link()->serialSendCode(QStringLiteral("G1 X50 F600"));
        QVERIFY(!MotionIdle::check(link()));
        fx->board().setTimeScale(1000.0);
        QTRY_VERIFY(MotionIdle::check(link()));
    }

    void pollerSignalsOnceWhenIdle()
    {
        fx->board().setTimeScale(1.0);
        link()->serialSendCode(QStringLiteral("G1 X-50 F600"));
        MotionIdlePoller poller(link());
        QSignalSpy idle(&poller, &MotionIdlePoller::idle);
        poller.start(2000, 1000);
        QVERIFY(poller.isPolling());
        QTest::qWait(100);
        QCOMPARE(idle.size(), 0);
        fx->board().setTimeScale(1000.0);
        QTRY_COMPARE(idle.size(), 1);
        QVERIFY(!poller.isPolling());
        const int polls = fx->count("M121");
        QTest::qWait(100);
        QCOMPARE(fx->count("M121"), polls);
    }

    // A board that stops answering while the poller waits for it ends the
    // polling once the link knows it silent, instead of polling for ever.
    void pollerGivesUpOnASilentBoard()
    {
        MotionIdlePoller poller(link());
        QSignalSpy idle(&poller, &MotionIdlePoller::idle);
        QSignalSpy silent(&poller, &MotionIdlePoller::boardSilent);
        fx->board().setSilent(true);
        poller.start(10, 10);
        QTRY_COMPARE(silent.size(), 1);
        QVERIFY(!poller.isPolling());
        QCOMPARE(idle.size(), 0);
        fx->board().setSilent(false);
        QTRY_VERIFY(MotionIdle::check(link()));
    }
};

QTEST_MAIN(TestMotionIdle)
#include "tst_motionidle.moc"
