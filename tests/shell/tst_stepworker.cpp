#include "stepworker.h"
#include "timescale.h"

#include <QtTest>

#include <atomic>
#include <thread>

class TestStepWorker : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TimeScale::setFactor(0.01); }

    // Display changes run on the context's thread, in the order posted, and a
    // step below 0 ends the thread.
    void postsRunInOrderOnTheGuiThread()
    {
        QObject page;
        StepWorker worker(&page);
        QStringList shown;
        std::atomic<int> steps{0};
        bool allOnGuiThread = true;
        const auto guiThread = std::this_thread::get_id();
        QVERIFY(worker.start([&] {
            const int n = ++steps;
            for (int part = 0; part < 3; ++part)
                worker.post([&, n, part] {
                    allOnGuiThread = allOnGuiThread && std::this_thread::get_id() == guiThread;
                    shown << QStringLiteral("%1.%2").arg(n).arg(part);
                });
            return n == 4 ? -1 : 0;
        }));
        QTRY_VERIFY(!worker.isRunning());
        QCOMPARE(steps.load(), 4);
        QTRY_COMPARE(shown.size(), 12);
        QStringList expected;
        for (int n = 1; n <= 4; ++n)
            for (int part = 0; part < 3; ++part)
                expected << QStringLiteral("%1.%2").arg(n).arg(part);
        QCOMPARE(shown, expected);
        QVERIFY(allOnGuiThread);
    }

    // stop() lets the running step finish, ends the pause at once and joins:
    // no step starts after it returns.
    void stopWaitsForTheStepAndStartsNoOther()
    {
        QObject page;
        StepWorker worker(&page);
        std::atomic<int> started{0};
        std::atomic<int> finished{0};
        std::atomic<bool> release{false};
        QVERIFY(worker.start([&] {
            ++started;
            while (!release)
                std::this_thread::yield();
            ++finished;
            return 0;
        }));
        QTRY_COMPARE(started.load(), 1);
        std::thread releaser([&] {
            TimeScale::sleepMs(2000);
            release = true;
        });
        worker.stop();
        QCOMPARE(finished.load(), 1); // the step in progress was completed
        QVERIFY(!worker.isRunning());
        releaser.join();
        QTest::qWait(50);
        QCOMPARE(started.load(), 1);
    }

    // A page closed during the pause does not wait out the step period.
    void stopEndsThePauseAtOnce()
    {
        TimeScale::setFactor(1.0);
        QObject page;
        StepWorker worker(&page);
        std::atomic<int> steps{0};
        QVERIFY(worker.start([&] {
            ++steps;
            return 0;
        }));
        QTRY_COMPARE(steps.load(), 1);
        QElapsedTimer clock;
        clock.start();
        worker.stop();
        TimeScale::setFactor(0.01);
        QVERIFY(clock.elapsed() < 500);
        QCOMPARE(steps.load(), 1);
    }

    // Changes still queued when the page goes are dropped with it.
    void postsOfAGonePageAreDropped()
    {
        bool ran = false;
        {
            QObject page;
            StepWorker worker(&page);
            QVERIFY(worker.start([&] {
                worker.post([&] { ran = true; });
                return -1;
            }));
            worker.stop(); // joins without running the queued change
        }
        QCoreApplication::processEvents();
        QVERIFY(!ran);
    }
};

QTEST_MAIN(TestStepWorker)
#include "tst_stepworker.moc"
