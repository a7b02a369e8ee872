#include "logcounter.h"
#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"
#include "sysroot.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <future>
#include <poll.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

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

        // While the queue stays full the link reads the buffer-check line
        // less and less often (a plain file here: no edge ends its waits).
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(inotify_add_watch(watch, QFile::encodeName(fx.root() + "/sys/class/gpio/gpio131/value"), IN_ACCESS) >= 0);
        link.serialSendCode("G1 X10 F6000");
        QElapsedTimer clock;
        clock.start();
        link.serialSendCode("G1 X210 F600"); // a second of motion in the one slot
        auto queued = std::async(std::launch::async, [&] { return link.serialSendCode("G1 X20 F6000"); });
        int reads = 0;
        while (queued.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            pollfd events{watch, POLLIN, 0};
            alignas(inotify_event) char buffer[4096];
            if (::poll(&events, 1, 100) > 0)
                reads += int(std::max<ssize_t>(0, ::read(watch, buffer, sizeof buffer)) / sizeof(inotify_event));
        }
        ::close(watch);
        QVERIFY(!isFailure(queued.get()));
        const QString seen = QStringLiteral("%1 reads in %2 ms").arg(reads).arg(clock.elapsed());
        QVERIFY2(clock.elapsed() > 500 && reads >= 2 && reads <= clock.elapsed() / 8 + 10, qPrintable(seen));
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

    // The print thread queued behind the poll that finds the board silent
    // makes one short attempt, no second full one: a print is given up two
    // reply times into a silence, not four. A short attempt hears the board
    // as soon as it answers again.
    void anExchangeQueuedBehindTheSilenceIsShort()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(300);
        fx.board().setSilent(true);
        fx.board().clearLog();
        auto poll = std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); });
        QTRY_COMPARE(fx.count("M105"), 1);
        auto print = std::async(std::launch::async, [&] { return link.serialSendCode("G1 X9 F3000"); });
        QCOMPARE(poll.get(), QString(kSendFailed));
        QCOMPARE(print.get(), QString(kSendFailed));
        // The poll's probes are "M119"; a full attempt of the move would probe with "M105".
        const std::vector<std::string> sent = fx.board().commands();
        QCOMPARE(sent.back(), std::string("G1 X9 F3000"));
        QCOMPARE(fx.count("M105"), 1);
        QCOMPARE(fx.count("M119"), int(sent.size()) - 2);
        fx.board().setSilent(false);
        QVERIFY(!isFailure(std::async(std::launch::async, [&] { return link.serialSendCode("G1 X8 F3000"); }).get()));
        QVERIFY(link.boardResponding());
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

    // Line noise for as long as a silence takes to be noticed: the board
    // counts as not responding, said once in the log; exchanges then fail
    // instead of returning the noise, until a proper reply comes.
    void lastingNoiseCountsAsNotResponding()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(100);
        link.HeatingHalvorII(200, 60);
        int changes = 0;
        connect(&link, &SerialObject::boardRespondingChanged, this, [&changes] { ++changes; }, Qt::QueuedConnection);
        LogCounter garbledLines("garbled");
        fx.board().setNoisyReplies(true);
        QElapsedTimer clock;
        clock.start();
        auto worker = std::async(std::launch::async, [&] {
            QString last;
            while (link.boardResponding() && clock.elapsed() < 5000)
                last = link.serialCheckCode("M105");
            return link.serialCheckCode("M105") + '|' + link.serialSendCode("G1 X3 F3000");
        });
        QCOMPARE(worker.get(), QString(kSendFailed) + '|' + kSendFailed);
        QVERIFY2(clock.elapsed() >= 200, qPrintable(QString::number(clock.elapsed())));
        // A board that garbles may still hear: both heaters go off meanwhile.
        link.stopHalvorIIHeating();
        QTRY_VERIFY_WITH_TIMEOUT(fx.board().nozzleTarget() == 0 && fx.board().bedTarget() == 0, 20000);
        fx.board().setNoisyReplies(false);
        Temperatures t;
        QVERIFY(temperatures(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), t));
        QVERIFY(link.boardResponding());
        QCOMPARE(garbledLines.count(), 1);
        QTRY_COMPARE(changes, 2);
    }

    // A frame lost on the line is written again once a probe behind it is
    // answered; a move the board may have taken is never run twice: a lost
    // reply fails a relative move, a reply that ran into the probe's or a
    // probe reporting fewer free slots proves the move was taken.
    void aCommandRunsOnceWhateverTheLineLoses()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);
        auto send = [&link](const char *command) {
            return std::async(std::launch::async, [&link, command] { return link.serialSendCode(command); }).get();
        };
        fx.board().dropNextFrame("G1 X7 F3000");
        const QString reply = send("G1 X7 F3000");
        QVERIFY2(!isFailure(reply), qPrintable(reply));
        QCOMPARE(fx.count("G1 X7 F3000"), 1);
        QTRY_COMPARE(qRound(fx.board().position().x), 7);
        QVERIFY(link.boardResponding());

        send("G91");
        fx.board().dropNextReply("G1 X5 F3000");
        QCOMPARE(send("G1 X5 F3000"), QString(kSendFailed));
        fx.board().setSlotFreedAtStart(true); // its reply reports as many free slots as before
        fx.board().cutNextReplyNewline("G1 X5 F3000");
        QVERIFY(!isFailure(send("G1 X5 F3000")));
        fx.board().setSlotFreedAtStart(false);
        fx.board().setTimeScale(1.0);
        fx.board().dropNextReply("G1 X5 F150");
        QVERIFY(!isFailure(send("G1 X5 F150")));
        QTRY_COMPARE(qRound(fx.board().position().x), 22);
        QCOMPARE(fx.count("G1 X5 F3000") + fx.count("G1 X5 F150"), 3);
        QVERIFY(link.boardResponding());
    }

    // A position with "nan" in it is no reading, and the next one is read
    // as usual: the odd reply answered its own frame.
    void nonFinitePositionIsNoReading()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        fx.board().placeHead({10, 20, 30, 0});
        fx.board().setNonFinitePositionReplies(1);
        float x = -1, y = -1, z = -1;
        const QString odd = link.serialCheckCode("M114");
        QVERIFY2(odd.contains("nan") && !positionXYZ(odd, x, y, z), qPrintable(odd));
        QVERIFY(positionXYZ(link.serialCheckCode("M114"), x, y, z));
        QCOMPARE(qRound(z), 30);
    }

    // Heater-off, absolute mode and motors-off given while the board is
    // silent cost the screen nothing and reach the board once it answers,
    // heaters first; a heat-up that failed replaces nothing.
    void mustReachCommandsArriveWhenTheBoardAnswers()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(100);
        link.HeatingHalvorII(200, 60);
        link.serialSendCode("M17");
        link.serialSendCode("G91");
        fx.board().setSilent(true);
        QCOMPARE(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), QString(kSendFailed));
        fx.board().clearLog();
        QElapsedTimer clock;
        clock.start();
        link.sendMustReach("G90");
        link.stopHalvorIIHeating();
        link.sendMustReach("M18");
        link.HeatingPlatform(70); // lost: must not cancel the heater-off
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(link.undeliveredCount(), 4);
        QCOMPARE(fx.board().nozzleTarget(), 200);
        QTRY_VERIFY(!fx.board().commands().empty()); // the deliverer's first attempt: lost
        const int silenceEnd = static_cast<int>(fx.board().commands().size());
        fx.board().setSilent(false);
        QTRY_COMPARE(link.undeliveredCount(), 0);
        QCOMPARE(fx.board().nozzleTarget(), 0);
        QCOMPARE(fx.board().bedTarget(), 0);
        QVERIFY(fx.board().absoluteMode());
        QVERIFY(!fx.board().motorsEnabled());
        QStringList arrived;
        const std::vector<std::string> log = fx.board().commands();
        for (size_t i = silenceEnd; i < log.size(); ++i)
            if (!arrived.contains(QString::fromStdString(log[i])) && log[i] != "M105")
                arrived << QString::fromStdString(log[i]);
        QVERIFY2(arrived.indexOf("G90") > 1 && arrived.indexOf("M18") > 1, qPrintable(arrived.join(", ")));

        // A heater switched off alone during a silence is off once the board answers.
        link.Heating(190);
        QCOMPARE(fx.board().nozzleTarget(), 190);
        fx.board().setSilent(true);
        QCOMPARE(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), QString(kSendFailed));
        link.Heating(0);
        fx.board().setSilent(false);
        QTRY_COMPARE_WITH_TIMEOUT(fx.board().nozzleTarget(), 0, 60000);

        // A heat-up that reaches the board settles a heater-off still kept.
        fx.board().setSilent(true);
        QCOMPARE(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), QString(kSendFailed));
        fx.board().clearLog();
        link.Heating(0);
        QTRY_VERIFY(fx.count("M104 S0 T0") > 0); // the deliverer's attempt: lost
        fx.board().setSilent(false);
        std::async(std::launch::async, [&] { link.Heating(210); }).get();
        QTRY_COMPARE(link.undeliveredCount(), 0);
        QCOMPARE(fx.board().nozzleTarget(), 210);
    }

    // A worker that keeps failing on a silent board and is told to stop
    // leaves the link usable once the board answers.
    void stoppedWorkerLeavesTheLinkUsable()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(100);
        fx.board().setSilent(true);
        std::atomic<bool> stop{false};
        std::atomic<int> failures{0};
        std::thread worker([&] {
            while (!stop.load())
                failures += isFailure(link.serialSendCode("G1 X1"));
        });
        QTRY_VERIFY(failures.load() >= 2);
        stop.store(true);
        worker.join();
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
