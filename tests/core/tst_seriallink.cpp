#include "linksoak.h"
#include "logcounter.h"
#include "serialobject.h"
#include "simfixture.h"
#include "stringbrevik.h"
#include "sysroot.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <future>
#include <random>
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
            if (c.rfind("M104", 0) == 0 || c.rfind("M140", 0) == 0)
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
        QVERIFY(!isFailure(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get()));
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

    // A board whose replies lack their count: a query's reply still answers
    // it, but a bare "ok" proves nothing, so no move is counted as delivered
    // on it, and none is sent twice.
    void repliesWithoutTheirCount()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(100);
        fx.board().setGarbageReplies(true);
        const QString motion = link.serialCheckCode("M121");
        QCOMPARE(motion, QString("F"));
        QVERIFY(!isMotionIdle(motion)); // no value without the count where the pages read it
        const QString move = link.serialSendCode("G1 E5 F300");
        QVERIFY2(!commandTaken(move), qPrintable(move));
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

    // What the line loses is settled, not guessed: a command whose reply
    // never came but whose probe was answered is written again only when it
    // did not run (the position read once the queue has drained tells) or
    // when running it twice moves nothing; a garbled line answers nothing.
    void aLostReplyOrFrameIsSettled_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("taken"); // times the board ran it; 0: the exchange fails, having run it once
        QTest::newRow("frame lost, absolute move") << QStringList{"G90"} << "G1 X7 F3000" << "frame" << 1;
        QTest::newRow("frame lost, probe reply garbled") << QStringList{"G91"} << "G1 Z2 F600" << "frame, garble" << 1;
        QTest::newRow("reply lost, relative Z") << QStringList{"G91"} << "G1 Z2 F600" << "reply" << 1;
        QTest::newRow("reply lost, extrusion under G91") << QStringList{"G91"} << "G1 E3 F300" << "reply" << 1;
        QTest::newRow("reply lost, extrusion under M83") << QStringList{"G90", "M83"} << "G1 X5 E2 F1200" << "reply" << 1;
        QTest::newRow("reply garbled, relative Z") << QStringList{"G91"} << "G1 Z2 F600" << "garble" << 1;
        QTest::newRow("newline lost, relative X") << QStringList{"G91"} << "G1 X5 F3000" << "newline" << 1;
        QTest::newRow("reply lost, G091 is G91") << QStringList{"G091"} << "G1 X5 F3000" << "reply" << 1;
        QTest::newRow("reply lost, G91.0 is G91") << QStringList{"G91.0"} << "G1 Y5 F3000" << "reply" << 1;
        QTest::newRow("reply lost, arc") << QStringList{"G90", "G1 X10 Y10 F3000"} << "G2 X20 Y10 I5 J0" << "reply" << 1;
        QTest::newRow("reply lost, full circle") << QStringList{"G90"} << "G2 I5 J0 F1200" << "reply" << 0;
        QTest::newRow("reply lost, M220 takes no slot") << QStringList{} << "M220 S100" << "reply" << 2;
        QTest::newRow("reply lost, heater") << QStringList{} << "M104 S0 T0" << "reply" << 2;
    }

    void aLostReplyOrFrameIsSettled()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, command);
        QFETCH(QString, fault);
        QFETCH(int, taken);
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(150);
        auto send = [&link](const QString &c) {
            return std::async(std::launch::async, [&link, c] { return link.serialSendCode(c); }).get();
        };
        for (const QString &c : before)
            QVERIFY(!isFailure(send(c)));
        const std::string text = command.toStdString();
        if (fault.startsWith("frame"))
            fx.board().dropNextFrame(text, fault.endsWith("garble"));
        else if (fault == "reply")
            fx.board().dropNextReply(text);
        else if (fault == "garble")
            fx.board().garbleNextReply(text);
        else
            fx.board().cutNextReplyNewline(text);
        const QString reply = send(command);
        const std::vector<std::string> ran = fx.board().takenCommands();
        QCOMPARE(int(std::count(ran.begin(), ran.end(), text)), std::max(taken, 1));
        QCOMPARE(isFailure(reply), taken == 0);
        if (taken == 0)
            QCOMPARE(link.lastFailure(), SerialObject::Failure::MightRunTwice);
        QVERIFY(link.boardResponding());
    }

    // Probes that a silence swallowed are owed no reply: the exchange after
    // them is answered at once, without probes of its own ("M119" behind an
    // "M105"), whether the command behind the silence was written again or
    // its late reply came while probes were on their way.
    void probesASilenceSwallowedAreNotOwed_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("lateMs");    // its reply's delay
        QTest::addColumn<QString>("silentAt"); // where a silence of 1.5 reply times starts
        QTest::newRow("silent at the command") << "G1 X6 F3000" << 0 << "G1 X6 F3000";
        QTest::newRow("late reply, silent at the first probe") << "G1 X5 F3000" << 1700 << "M105";
    }

    void probesASilenceSwallowedAreNotOwed()
    {
        QFETCH(QString, command);
        QFETCH(int, lateMs);
        QFETCH(QString, silentAt);
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(1000);
        QVERIFY(!isFailure(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get()));
        if (lateMs > 0)
            fx.board().delayReplyOnce(command.toStdString(), lateMs);
        fx.board().silenceAt(silentAt.toStdString(), 1500);
        QVERIFY(!isFailure(std::async(std::launch::async, [&] { return link.serialSendCode(command); }).get()));
        QVERIFY(fx.count("M105") > 2); // probes, some into the silence
        fx.board().clearLog();
        Temperatures t;
        QVERIFY(temperatures(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), t));
        QCOMPARE(fx.count("M119"), 0);
    }

    // An urgent command goes out while another exchange waits for a late
    // reply, and its reply is never taken for that exchange's.
    void anUrgentCommandOvertakesALateReply()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(10000);
        const std::string press = "G1 X100 F3000";
        fx.board().delayReplyOnce(press, 5000);
        auto pressed = std::async(std::launch::async, [&] { return link.serialSendCode(QString::fromStdString(press)); });
        QTRY_COMPARE(fx.count(press), 1);
        link.sendUrgent("M112");
        QTRY_COMPARE_WITH_TIMEOUT(fx.count("M112"), 1, 3000);
        QVERIFY(pressed.wait_for(std::chrono::seconds(0)) != std::future_status::ready);
        QVERIFY(!isFailure(pressed.get())); // its own late reply

        // Its reply lost, the press is not answered by the stop's.
        link.setReplyTimeoutMs(300);
        fx.board().dropNextReply(press);
        pressed = std::async(std::launch::async, [&] { return link.serialSendCode(QString::fromStdString(press)); });
        QTRY_COMPARE(fx.count(press), 2);
        link.sendUrgent("M112");
        QCOMPARE(pressed.get(), QString(kSendFailed));
        QCOMPARE(link.lastFailure(), SerialObject::Failure::Stopped);
        QCOMPARE(fx.count(press), 2); // not sent again after the stop
        // With nothing in flight it is written at once.
        link.sendUrgent("M112");
        QTRY_COMPARE(fx.count("M112"), 3);
    }

    // A position with "nan" in it is no reading, and the next one is read
    // as usual: the odd reply answered its own frame.
    void nonFinitePositionIsNoReading()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.serialCheckCode("M105"); // the link's own first reads are done
        fx.board().placeHead({10, 20, 30, 0});
        fx.board().setNonFinitePositionReplies(1);
        float x = -1, y = -1, z = -1;
        const QString odd = link.serialCheckCode("M114");
        QVERIFY2(odd.contains("nan") && !positionXYZ(odd, x, y, z), qPrintable(odd));
        QVERIFY(positionXYZ(link.serialCheckCode("M114"), x, y, z));
        QCOMPARE(qRound(z), 30);
    }

    // Heater-off, absolute mode and motors-off given while the board is
    // silent cost the screen nothing, are each written again in turn while
    // it stays silent and reach the board once it answers; a heat-up that
    // failed replaces nothing, nor does one that completes late.
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
        // Every kept command goes out in turn while the board is silent: a
        // board that hears but cannot answer gets each of them.
        QTRY_VERIFY_WITH_TIMEOUT(fx.count("M140 S0") && fx.count("M104 S0 T0") && fx.count("G90") && fx.count("M18"),
                                 30000);
        fx.board().setSilent(false);
        QTRY_COMPARE(link.undeliveredCount(), 0);
        QCOMPARE(fx.board().nozzleTarget(), 0);
        QCOMPARE(fx.board().bedTarget(), 0);
        QVERIFY(fx.board().absoluteMode());
        QVERIFY(!fx.board().motorsEnabled());

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

        // A heat-up on its way while the heater-off is asked for reaches the
        // board late: the heater-off asked for after it still goes.
        fx.board().setSilent(true);
        QCOMPARE(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get(), QString(kSendFailed));
        fx.board().setSilent(false);
        link.setReplyTimeoutMs(1000); // the short attempt waits half a second
        fx.board().delayReplyOnce("M104 S220 T0", 300);
        fx.board().clearLog();
        auto heatUp = std::async(std::launch::async, [&] { return link.serialSendCode("M104 S220 T0"); });
        QTRY_COMPARE(fx.count("M104 S220 T0"), 1);
        link.Heating(0);
        QVERIFY(!isFailure(heatUp.get()));
        QTRY_COMPARE(link.undeliveredCount(), 0);
        QCOMPARE(fx.board().nozzleTarget(), 0);
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

    // Many short streams against random faults (frames and replies lost,
    // replies garbled or run together, silences of one to two reply times):
    // the board runs every line once, a line twice only where that moves
    // nothing, and no stream is given up while the board answers.
    // LINK_SOAK_SEED repeats a run, LINK_SOAK_TRIALS makes it longer.
    void soakAgainstRandomFaults()
    {
        const unsigned seed = unsigned(LinkSoak::envNumber("LINK_SOAK_SEED", int(std::time(nullptr))));
        const int trials = LinkSoak::envNumber("LINK_SOAK_TRIALS", 8);
        const int replyMs = 200;
        qInfo("soak: seed %u, %d trials", seed, trials);
        std::mt19937 rng(seed);
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        link.setReplyTimeoutMs(replyMs);
        QVERIFY(!isFailure(std::async(std::launch::async, [&] { return link.serialCheckCode("M105"); }).get()));
        const QStringList kinds = {"frame", "frame, garble", "reply", "garble", "newline", "silence"};
        QMap<QString, int> injected;
        int lines = 0;
        for (int trial = 0; trial < trials; ++trial) {
            const std::vector<LinkSoak::StreamLine> stream = LinkSoak::soakStream(rng);
            QStringList faults;
            for (int n = 1 + int(rng() % 2); n > 0; --n) {
                const std::string &at = stream[rng() % stream.size()].text;
                const QString kind = kinds[int(rng() % kinds.size())];
                if (kind.startsWith("frame"))
                    fx.board().dropNextFrame(at, kind.endsWith("garble"));
                else if (kind == "reply")
                    fx.board().dropNextReply(at);
                else if (kind == "garble")
                    fx.board().garbleNextReply(at);
                else if (kind == "newline")
                    fx.board().cutNextReplyNewline(at);
                else
                    fx.board().silenceAt(at, replyMs + int(rng() % (replyMs * 6 / 10)));
                faults << kind + " at " + QString::fromStdString(at);
                ++injected[kind];
            }
            fx.board().clearLog();
            const QString failed = std::async(std::launch::async, [&] {
                for (const LinkSoak::StreamLine &line : stream) {
                    const QString reply = link.serialSendCode(QString::fromStdString(line.text));
                    if (isFailure(reply) && reply != kParseResultFailed)
                        return QString("given up at %1: %2").arg(line.text.c_str(), reply);
                }
                return QString();
            }).get();
            QString texts;
            for (const LinkSoak::StreamLine &line : stream)
                texts += QString::fromStdString(line.text) + "; ";
            const QString wrong = failed.isEmpty() ? LinkSoak::checkRun(stream, fx.board().takenCommands()) : failed;
            if (!wrong.isEmpty())
                QFAIL(qPrintable(QString("seed %1, trial %2: %3\n  stream: %4\n  faults: %5")
                                     .arg(seed).arg(trial).arg(wrong, texts, faults.join(", "))));
            lines += int(stream.size());
        }
        QString figures;
        for (auto it = injected.begin(); it != injected.end(); ++it)
            figures += QString(" %1 %2,").arg(it.value()).arg(it.key());
        qInfo("soak: %d trials, %d lines, faults:%s no line lost, none run twice, none given up", trials, lines,
              qPrintable(figures));
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
