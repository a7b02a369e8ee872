#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"
#include "sysroot.h"

#include <QElapsedTimer>
#include <QtTest>

#include <pthread.h>
#include <thread>

using namespace StringBrevik;

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

    void silentBoardFailsInBoundedTimeAndRecovers()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);
        fx.board().setSilent(true);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(link.serialCheckCode("M105"), QString(kSendFailed));
        QCOMPARE(link.serialSendCode("G1 X5"), QString(kSendFailed));
        QVERIFY(clock.elapsed() < 3000);
        fx.board().setSilent(false);
        Temperatures t;
        QVERIFY(temperatures(link.serialCheckCode("M105"), t));
    }

    void garbageAndLateRepliesAreNotTakenForTheNextAnswer()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);

        fx.board().setGarbageReplies(true);
        QCOMPARE(link.serialSendCode("G1 X5"), QString(kParseResultFailed));
        QCOMPARE(link.serialCheckCode("M105"), QString(kSendFailed));
        fx.board().setGarbageReplies(false);

        // Replies arriving after the deadline must not answer later commands.
        fx.board().setReplyDelayMs(220);
        link.serialCheckCode("M119");
        link.serialSendCode("G1 X6");
        fx.board().setReplyDelayMs(0);
        Temperatures t;
        QVERIFY(temperatures(link.serialCheckCode("M105"), t));
        float x, y, z;
        QVERIFY(positionXYZ(link.serialCheckCode("M114"), x, y, z));
        EndStops stops;
        QVERIFY(endStops(link.serialCheckCode("M119"), stops));
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
