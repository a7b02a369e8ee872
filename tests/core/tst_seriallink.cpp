#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"
#include "sysroot.h"

#include <QElapsedTimer>
#include <QtTest>

#include <future>
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

    // Off the GUI thread a silent board costs two reply times; once it
    // answers again the next exchange waits for no reply it never sent.
    void silentBoardFailsInBoundedTimeAndRecovers()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);
        fx.board().setSilent(true);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(std::async(std::launch::async, [&] { return link.serialSendCode("G1 X5"); }).get(), QString(kSendFailed));
        QVERIFY(clock.elapsed() < 3000 && !link.boardResponding());
        fx.board().setSilent(false);
        link.setReplyTimeoutMs(3000);
        clock.restart();
        Temperatures t;
        QVERIFY(temperatures(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), t));
        QVERIFY(clock.elapsed() < 1000 && link.boardResponding());
    }

    // A reply of a shape nobody reads, or without its count, answers its
    // command at once: no value, never a wait or a second send.
    void oddRepliesAnswerAtOnce()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        fx.board().setGarbageReplies(true);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!isMotionIdle(link.serialCheckCode("M121")));
        QCOMPARE(link.serialSendCode("G1 E5 F300"), QString(kParseResultFailed));
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(fx.count("G1 E5 F300"), 1);
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
