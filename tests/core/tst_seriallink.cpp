#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"
#include "sysroot.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <pthread.h>
#include <thread>

using namespace StringBrevik;

template <typename F>
QString offGuiThread(F exchange)
{
    QString reply;
    std::thread worker([&] { reply = exchange(); });
    worker.join();
    return reply;
}

class TestSerialLink : public QObject {
    Q_OBJECT
private slots:
    void exchangesAndHeating()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        Temperatures t;
        QVERIFY(temperatures(link.serialCheckCode("M105"), t));
        const QString reply = link.serialSendCode("G1 X10 F3000");
        int freeCount = -1;
        QVERIFY2(firstNumber(reply, freeCount), qPrintable(reply));
        QCOMPARE(link.freeSlots(), freeCount);

        link.HeatingHalvorII(200, 60);
        link.stopHalvorIIHeating();
        std::vector<std::string> heating;
        for (const std::string &c : fx.board().commands())
            if (c.rfind("M1", 0) == 0 && c != "M105")
                heating.push_back(c);
        QCOMPARE(heating, (std::vector<std::string>{"M140 S60", "M104 S200 T0", "M140 S0", "M104 S0 T0"}));
    }

    // Two senders on a board with one slot: the link never sends a queued
    // command while the board has no room, and nothing is lost.
    void flowControlNeverOverfillsTheBoard()
    {
        SimFixture fx(20.0);
        QVERIFY(fx.ok());
        fx.board().setCapacity(1);
        SerialObject link("/dev/ttyS2", 131);
        auto sender = [&link](int base) {
            for (int i = 0; i < 15; ++i)
                link.serialSendCode(QStringLiteral("G1 X%1 F6000").arg(base + i));
        };
        std::thread a(sender, 10), b(sender, 100);
        for (int i = 0; i < 20; ++i)
            link.serialCheckCode("M105"); // the GUI's polling goes on meanwhile
        a.join();
        b.join();
        QCOMPARE(fx.board().overflowCount(), 0);
        int moves = 0;
        for (const std::string &c : fx.board().commands())
            moves += c.rfind("G1 X", 0) == 0;
        QCOMPARE(moves, 30);
    }

    // Off the GUI thread (where the print and the status poll run) a silent
    // board costs two reply times, and once it answers again the next
    // exchange does not wait for the replies the board never sent.
    void silentBoardFailsInBoundedTimeAndRecovers()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        QSignalSpy responding(&link, &SerialObject::boardRespondingChanged);
        link.setReplyTimeoutMs(150);
        fx.board().setSilent(true);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(offGuiThread([&] { return link.serialCheckCode("M105"); }), QString(kSendFailed));
        QCOMPARE(offGuiThread([&] { return link.serialSendCode("G1 X5"); }), QString(kSendFailed));
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY(!link.boardResponding());
        fx.board().setSilent(false);
        link.setReplyTimeoutMs(3000);
        clock.restart();
        Temperatures t;
        QVERIFY(temperatures(offGuiThread([&] { return link.serialCheckCode("M105"); }), t));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(link.boardResponding());
        QCOMPARE(responding.size(), 2);
        QCOMPARE(responding.at(0).at(0).toBool(), false);
        QCOMPARE(responding.at(1).at(0).toBool(), true);
    }

    // A late reply answers the command that waits for it: the command is
    // never written twice, and the answers behind it stay with their own
    // commands.
    void lateAndCountlessRepliesNeverRepeatACommand()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);
        link.serialSendCode("G91");

        fx.board().setReplyDelayMs(220);
        QVERIFY(!isFailure(link.serialSendCode("G1 X10 F3000")));
        fx.board().setReplyDelayMs(0);
        QVERIFY(!isFailure(link.serialSendCode("G1 X10 F3000")));
        QCOMPARE(fx.count("G1 X10 F3000"), 2);
        QTRY_COMPARE(fx.board().position().x, 20.0);
        EndStops stops;
        QVERIFY(endStops(link.serialCheckCode("M119"), stops));
        Temperatures t;
        QVERIFY(temperatures(link.serialCheckCode("M105"), t));
        float x, y, z;
        QVERIFY(positionXYZ(link.serialCheckCode("M114"), x, y, z));
        QCOMPARE(x, 20.0f);

        // Replies without the free-slot count: the board took the command.
        fx.board().setGarbageReplies(true);
        link.serialSendCode("M83");
        QCOMPARE(link.serialSendCode("G1 E5 F300"), QString(kParseResultFailed));
        QVERIFY(temperatures(link.serialCheckCode("M105"), t));
        // An answer of a shape nobody reads is no value, at once.
        link.setReplyTimeoutMs(5000);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!isMotionIdle(link.serialCheckCode("M121")));
        QVERIFY(clock.elapsed() < 2000);
        fx.board().setGarbageReplies(false);
        QCOMPARE(fx.count("G1 E5 F300"), 1);
        QVERIFY(!isFailure(link.serialSendCode("G1 E1")));
    }

    // Once the board is counted as not responding, the screen's thread never
    // queues behind another thread's long exchange.
    void guiThreadDoesNotWaitForASilentBoard()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(1000);
        fx.board().setSilent(true);
        std::thread poller([&link] {
            for (int i = 0; i < 2; ++i)
                link.serialCheckCode("M105");
        });
        QTRY_VERIFY_WITH_TIMEOUT(!link.boardResponding(), 5000);
        qint64 longest = 0;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(link.serialCheckCode("M114"), QString(kSendFailed));
            longest = std::max(longest, clock.restart());
            QCOMPARE(link.serialSendCode("G1 X1"), QString(kSendFailed));
            longest = std::max(longest, clock.elapsed());
        }
        poller.join();
        QVERIFY2(longest < 900, qPrintable(QString::number(longest)));
        fx.board().setSilent(false);
        QTRY_VERIFY(!isFailure(link.serialCheckCode("M105")));
        QVERIFY(link.boardResponding());
    }

    void cancelledWorkerLeavesTheLinkUsable()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(100);
        fx.board().setSilent(true);
        struct Arg {
            SerialObject *link;
            std::atomic<int> started{0};
        } arg{&link};
        pthread_t worker;
        pthread_create(&worker, nullptr, [](void *p) -> void * {
            auto *a = static_cast<Arg *>(p);
            for (;;) {
                a->started.store(1);
                a->link->serialSendCode("G1 X1");
                pthread_testcancel();
            }
            return nullptr;
        }, &arg);
        QTRY_VERIFY(arg.started.load() == 1);
        pthread_cancel(worker);
        pthread_join(worker, nullptr);
        fx.board().setSilent(false);
        Temperatures t;
        QVERIFY(temperatures(link.serialCheckCode("M105"), t));
        QVERIFY(!isFailure(link.serialSendCode("G1 X2")));
    }

    void closedLinkStaysClosed()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.serialClose();
        QCOMPARE(link.serialCheckCode("M105"), QString(kSendFailed));
        QCOMPARE(link.serialSendCode("G1 X1"), QString(kSendFailed));
    }

    void missingPortThrows()
    {
        QTemporaryDir empty;
        SysRoot::setRoot(empty.path());
        QVERIFY_EXCEPTION_THROWN(SerialObject("/dev/ttyS2", 131), std::runtime_error);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
