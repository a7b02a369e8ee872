#include "boardsim.h"
#include "ptyclient.h"

#include <QFile>
#include <QRegExp>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Drives the simulated board through its pseudo-terminal exactly as the
// program does, so that a fault here cannot hide behind the model's API.
class TestBoardSim : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<sim::BoardSimulator> m_board;
    std::unique_ptr<PtyClient> m_port;

    sim::BoardSimulator &board() { return *m_board; }
    PtyClient &port() { return *m_port; }
    QString device() const { return m_dir->path() + "/dev/ttyS2"; }

    QByteArray gpio131() const
    {
        QFile f(m_dir->path() + "/sys/class/gpio/gpio131/value");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // M114 split at blanks and colons with empty pieces skipped.
    QStringList where()
    {
        return QString::fromLatin1(port().exchange("M114"))
            .split(QRegExp("[ :]"), Qt::SkipEmptyParts);
    }
    double axis(int piece) { return where().value(piece).toDouble(); }

    void expectOk(const QByteArray &command)
    {
        const QByteArray reply = port().exchange(command);
        QVERIFY2(reply.endsWith(" ok"), (command + " -> " + reply).constData());
    }

    void waitIdle()
    {
        QTRY_COMPARE(port().exchange("M121").split(' ').value(1), QByteArray("F"));
    }

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_board.reset(new sim::BoardSimulator(m_dir->path().toStdString()));
        m_board->setTimeScale(1000);
        QVERIFY(m_board->start());
        m_port.reset(new PtyClient(device()));
        QVERIFY(m_port->isOpen());
    }

    void cleanup()
    {
        m_port.reset();
        m_board.reset();
        m_dir.reset();
    }

    void framingSkipsNoiseAndJoinsSplitWrites()
    {
        port().writeRaw(QByteArray(1, '\0') + "\xff" "noise\r\n~M901\r\n");
        QCOMPARE(port().readLine(), QByteArray("16 FW1.2.3"));

        port().writeRaw("~M1");
        QCOMPARE(port().readLine(100), QByteArray()); // nothing until the frame ends
        port().writeRaw("05\r");
        port().writeRaw("\n");
        QVERIFY(port().readLine().startsWith("16 T:"));
        QCOMPARE(board().commands(), (std::vector<std::string>{"M901", "M105"}));
    }

    void framingDropsOverlongAndMalformedFrames()
    {
        port().writeRaw("~G1 X1 " + QByteArray(300, 'Y') + "\r\n");
        port().writeRaw("~M105\n"); // no carriage return
        port().writeRaw("~M1~M119\r\n"); // the second "~" starts a new frame
        QVERIFY(port().readLine().startsWith("16 X:"));
        QCOMPARE(port().readLine(100), QByteArray());
        QCOMPARE(board().discardedFrames(), 3);
        QCOMPARE(board().commands(), std::vector<std::string>{"M119"});

        // Exactly 256 bytes with its "\r\n" is still a frame.
        const QByteArray longest = "M117 " + QByteArray(256 - 3 - 5, 'a');
        QCOMPARE(port().exchange(longest), QByteArray("16 ok"));
    }

    void queriesFollowTheReplyGrammar()
    {
        QVERIFY(QRegExp("16 T:25\\.0/0 B:25\\.0/0").exactMatch(port().exchange("M105")));
        QCOMPARE(where(), QStringList({"16", "X", "0.00", "Y", "0.00", "Z", "0.00", "E", "0.00"}));
        QCOMPARE(port().exchange("M119"), QByteArray("16 X:1 Y:1 Z:1"));
        QCOMPARE(port().exchange("M121"), QByteArray("16 F"));
        QCOMPARE(port().exchange("M113"), QByteArray("16 T"));
        QCOMPARE(port().exchange("M103"), QByteArray("16 ok"));
        QCOMPARE(port().exchange("M112"), QByteArray("16 ok"));

        // A queued command reports the slots left after it.
        board().setTimeScale(1);
        QCOMPARE(port().exchange("G1 X100 F60"), QByteArray("15 ok"));
        QCOMPARE(port().exchange("M121"), QByteArray("15 B"));
        QVERIFY(port().exchange("M105").startsWith("15 T:"));
    }

    void fullQueueWithholdsTheReplyAndRaisesTheGpio()
    {
        board().setCapacity(2);
        board().setTimeScale(1); // 100 s moves: the queue stays full
        QCOMPARE(gpio131(), QByteArray("0\n"));
        QCOMPARE(port().exchange("G1 X100 F60"), QByteArray("1 ok"));
        QCOMPARE(port().exchange("G1 X0 F60"), QByteArray("0 ok"));
        QCOMPARE(gpio131(), QByteArray("1\n")); // already raised when "0 ok" arrived

        port().send("G1 Y50 F60");
        QCOMPARE(port().readLine(300), QByteArray());
        QCOMPARE(board().overflowCount(), 1);
        QCOMPARE(port().exchange("M105", 300), QByteArray()); // queued behind it, as in a UART

        board().setTimeScale(1e6);
        QVERIFY(QRegExp("[01] ok").exactMatch(port().readLine())); // the withheld move got a slot
        QVERIFY(QRegExp("[0-2] T:.*").exactMatch(port().readLine())); // then the M105 behind it
        waitIdle();
        QTRY_COMPARE(gpio131(), QByteArray("0\n"));
        QCOMPARE(board().overflowCount(), 1);
        QCOMPARE(axis(4), 50.0);
    }

    void emergencyStopFlushesButKeepsThePosition()
    {
        board().setTimeScale(10);
        expectOk("G1 X100 F600"); // 10 s of board time, 1 s real
        expectOk("G1 Y100");
        QTRY_VERIFY(board().position().x > 5);
        QCOMPARE(port().exchange("M112"), QByteArray("16 ok"));
        const double stoppedAt = axis(2);
        QVERIFY(stoppedAt > 5 && stoppedAt < 100);
        QCOMPARE(port().exchange("M121"), QByteArray("16 F"));
        QCOMPARE(board().queuedCommands(), 0);
        QCOMPARE(axis(2), stoppedAt);
        QCOMPARE(axis(4), 0.0);

        board().setM112Reply("error");
        QCOMPARE(port().exchange("M112"), QByteArray("16 error"));
    }

    void coordinatesAndModes()
    {
        // E and A are one axis; B is accepted and ignored.
        expectOk("G92 E5");
        QCOMPARE(axis(8), 5.0);
        expectOk("G1 A12 F600");
        waitIdle();
        QCOMPARE(axis(8), 12.0);
        expectOk("G92 X0 Y0 Z0 A0 B0");
        QCOMPARE(axis(8), 0.0);
        expectOk("M83");
        expectOk("G1 E2");
        expectOk("G1 E2");
        waitIdle();
        QCOMPARE(axis(8), 4.0);

        // Relative moves, travel limits and the end-stops at 0.
        expectOk("G91");
        expectOk("G1 X10 Y20 Z30 F3000");
        expectOk("G1 X10");
        waitIdle();
        QCOMPARE(where().mid(1, 6), QStringList({"X", "20.00", "Y", "20.00", "Z", "30.00"}));
        QCOMPARE(port().exchange("M119"), QByteArray("16 X:0 Y:0 Z:0"));
        expectOk("G1 X-305 F2000");
        waitIdle();
        QCOMPARE(axis(2), 0.0);
        QCOMPARE(port().exchange("M119"), QByteArray("16 X:1 Y:0 Z:0"));
        // Command words are read by number, as the link reads them.
        for (const char *relative : {"G091", "g91", "G91.0"}) {
            expectOk("G90");
            expectOk(relative);
            QVERIFY2(!board().absoluteMode(), relative);
        }
        expectOk("G90");
        QVERIFY(board().absoluteMode());
        expectOk("G1 X400 Y-20 Z500");
        waitIdle();
        QCOMPARE(where().mid(1, 6), QStringList({"X", "300.00", "Y", "0.00", "Z", "400.00"}));

        // A stuck switch never reports, even at 0.
        board().setStuckEndstop('Y', true);
        QCOMPARE(port().exchange("M119"), QByteArray("16 X:0 Y:0 Z:0"));

        // Homing zeroes the named axes only, after a G92 offset.
        expectOk("G92 X50");
        expectOk("G28 X Z");
        waitIdle();
        QCOMPARE(where().mid(1, 6), QStringList({"X", "0.00", "Y", "0.00", "Z", "0.00"}));
        QCOMPARE(port().exchange("M119"), QByteArray("16 X:1 Y:0 Z:1"));
    }

    void probeStopsZAtTheBedPlane_data()
    {
        QTest::addColumn<double>("plane");
        QTest::addColumn<double>("risePerMmX");
        QTest::addColumn<double>("risePerMmY");
        QTest::addColumn<QString>("over");
        QTest::addColumn<QString>("target");
        QTest::addColumn<double>("stop");
        QTest::addColumn<bool>("touches");
        QTest::newRow("above zero") << 0.3 << 0.0 << 0.0 << "G1 X0" << "G1 Z0 F200" << 0.3 << true;
        QTest::newRow("below zero") << -0.35 << 0.0 << 0.0 << "G1 X0" << "G1 Z-5 F200" << -0.35 << true;
        QTest::newRow("below zero, aimed at zero") << -0.35 << 0.0 << 0.0 << "G1 X0" << "G1 Z0 F200" << -0.35 << true;
        QTest::newRow("aimed above the bed") << -0.35 << 0.0 << 0.0 << "G1 X0" << "G1 Z2 F200" << 2.0 << false;
        QTest::newRow("head already below the plane") << 12.0 << 0.0 << 0.0 << "G1 X0" << "G1 Z5 F200" << 10.0 << true;
        // 0.1 + 0.002 * 200 - 0.003 * 250
        QTest::newRow("tilted, under the head") << 0.1 << 0.002 << -0.003 << "G1 X200 Y250 F6000"
                                                << "G1 Z0 F200" << -0.25 << true;
    }

    void probeStopsZAtTheBedPlane()
    {
        QFETCH(double, plane);
        QFETCH(double, risePerMmX);
        QFETCH(double, risePerMmY);
        QFETCH(QString, over);
        QFETCH(QString, target);
        QFETCH(double, stop);
        QFETCH(bool, touches);
        board().setBedPlane(plane, risePerMmX, risePerMmY);
        expectOk("G1 Z10 F600");
        expectOk(over.toLatin1());
        expectOk("M141 T132");
        expectOk(target.toLatin1());
        waitIdle();
        QVERIFY(board().probeDeployed());
        QCOMPARE(axis(6), stop);
        QCOMPARE(port().exchange("M119").endsWith("Z:1"), touches);
        // A reply cut short on the line loses the height, once.
        board().setCutPositionReplies(1);
        QCOMPARE(where().size(), 5);
        QCOMPARE(axis(6), stop);

        // Stowed, the probe stops nothing and the Z switch at 0 counts again.
        expectOk("G1 X0 Y0 Z10");
        expectOk("M141 T90");
        expectOk("G1 Z-5");
        waitIdle();
        QCOMPARE(axis(6), 0.0);
        QCOMPARE(port().exchange("M119"), QByteArray("16 X:1 Y:1 Z:1"));
    }

    void heatersApproachTheirTargets()
    {
        expectOk("M140 S60");
        expectOk("M104 S200 T0");
        expectOk("M190 S60");
        expectOk("M109 S200");
        expectOk("G1 X5 F600");
        QCOMPARE(board().nozzleTarget(), 200);
        waitIdle(); // the move waited for both heaters
        const QStringList t = QString::fromLatin1(port().exchange("M105")).split(QRegExp("[ :/]"));
        QCOMPARE(t.value(3), QString("200"));
        QCOMPARE(t.value(6), QString("60"));
        QVERIFY(qAbs(t.value(2).toDouble() - 200) <= 1.0);
        QVERIFY(qAbs(t.value(5).toDouble() - 60) <= 1.0);
        QCOMPARE(board().bedTarget(), 60);

        board().setForcedNozzleTemp(321.5);
        QVERIFY(port().exchange("M105").startsWith("16 T:321.5/200 B:"));
        expectOk("M104 S0");
        board().setForcedNozzleTemp(std::nullopt);
        QTRY_VERIFY(board().nozzleTemp() < 26);
    }

    void machineStateCommands()
    {
        expectOk("M92 X81 Y82 Z401 A94");
        expectOk("M92 B93");
        expectOk("M17 Y");
        QCOMPARE(port().exchange("M145"), QByteArray("16 ok"));
        waitIdle();
        QCOMPARE(board().stepsPerMm('X'), 81.0);
        QCOMPARE(board().stepsPerMm('A'), 94.0);
        QVERIFY(board().motorEnabled('Y') && !board().motorEnabled('X'));
        QVERIFY(board().lightOn());
        expectOk("M18");
        port().exchange("M144");
        waitIdle();
        QVERIFY(!board().motorsEnabled());
        QVERIFY(!board().lightOn());
    }

    void failureKnobs()
    {
        board().setFilament(sim::Filament::Absent);
        QCOMPARE(port().exchange("M113"), QByteArray("16 F"));
        board().setFilament(sim::Filament::SensorFault);
        QCOMPARE(port().exchange("M113"), QByteArray("16 Fail"));
        board().setFirmwareVersion("2.0.1");
        QCOMPARE(port().exchange("M901"), QByteArray("16 FW2.0.1"));

        board().setGarbageReplies(true);
        QCOMPARE(port().exchange("M121"), QByteArray("F"));
        board().setGarbageReplies(false);

        // A lost frame can garble the reply behind it.
        board().clearLog();
        board().dropNextFrame("G4 P0", true);
        QCOMPARE(port().exchange("G4 P0", 300), QByteArray());
        const QByteArray garbled = port().exchange("M121");
        QVERIFY2(!garbled.isEmpty() && garbled != "16 F" && garbled.size() == 4, garbled.constData());
        board().garbleNextReply("M121");
        QVERIFY(port().exchange("M121") != "16 F");
        QCOMPARE(port().exchange("M121"), QByteArray("16 F"));
        QCOMPARE(board().takenCommands(), (std::vector<std::string>{"M121", "M121", "M121"}));

        board().setSilent(true);
        QCOMPARE(port().exchange("M105", 300), QByteArray());
        QCOMPARE(board().commands().back(), std::string("M105"));
        board().setSilent(false);

        board().setReplyDelayMs(600);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(port().exchange("M121", 300), QByteArray());
        QCOMPARE(port().readLine(3000), QByteArray("16 F"));
        QVERIFY(clock.elapsed() >= 550);
        board().setReplyDelayMs(0);

        // At 115200 8N1 each "~M105\r\n" plus its ~22-byte reply costs at
        // least 2.5 ms: 40 exchanges at least 100 ms. The bound leaves room
        // for the clocks' grain; without the throttle they take a few ms.
        board().setBaudThrottle(true);
        clock.restart();
        for (int i = 0; i < 40; ++i)
            QVERIFY(port().exchange("M105").startsWith("16 T:"));
        QVERIFY2(clock.elapsed() >= 80, QByteArray::number(clock.elapsed()).constData());
    }

    void portSurvivesCloseAndReopen()
    {
        port().close();
        QVERIFY(port().open(device()));
        QCOMPARE(port().exchange("M121"), QByteArray("16 F"));
        port().close();
        PtyClient again(device());
        QCOMPARE(again.exchange("M901"), QByteArray("16 FW1.2.3"));
    }

    void commandLogFileRecordsEveryCommand()
    {
        const QString path = m_dir->path() + "/sim-commands.log";
        board().setCommandLogFile(path.toStdString());
        port().exchange("G1 X1 F3000");
        port().exchange("M105");
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(QRegExp("\\d+\\.\\d{3}\tG1 X1 F3000").exactMatch(lines[0]));
        QCOMPARE(lines[1].split('\t').value(1), QByteArray("M105"));
    }
};

QTEST_GUILESS_MAIN(TestBoardSim)
#include "tst_boardsim.moc"
