#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "lantestclient.h"
#include "lan/myserver.h"
#include "mainwindow.h"
#include "statuspoller.h"
#include "onebuttondialog.h"
#include "onetimesclicked.h"
#include "printericons.h"
#include "printertranslations.h"
#include "resumeprintconfigsavefile.h"
#include "sendfiledialog.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "questions.h"
#include "screencheck.h"
#include "simfixture.h"
#include "stallprobe.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "usbstick.h"
#include "wifiair.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QTranslator>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <thread>

#include <sys/stat.h>

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    SerialObject *link() { return ExecuteGetSerialObject()->serial(); }

    // The next main window's station rejoins a network of the sandbox's air
    // (its stand-in DHCP hands out a loopback address, so the LAN server
    // started on it is reachable here).
    static void joinStationAtStart()
    {
        if (!WifiAir::config().contains("Workshop"))
            WifiAir::saveNetwork("Workshop", "printer123");
        getConfigFile()->configFile()->setWifiStationStatus(true);
    }

private slots:
    void initTestCase()
    {
        initPrinterIcons();
        initPrinterTranslations();
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        MainWindow::setLanPorts(0, 0);
        link()->setReplyTimeoutMs(300);
    }
    void cleanupTestCase() { fx.reset(); }

    void constructorTellsTheBoardItsState()
    {
        getConfigFile()->configFile()->setLedStatus(false);
        getConfigFile()->configFile()->setTransmissionRatio(81, 82, 401, 94);
        link()->serialCheckCode("M105"); // as at start-up, the link has opened the board
        fx->board().clearLog();
        MainWindow window;
        QTRY_COMPARE(fx->motionCommands().mid(0, 6),
                     (QStringList{"M144", "M92 X81", "M92 Y82", "M92 Z401", "M92 A94", "M92 B93"}));
        QCOMPARE(fx->board().commands().front(), std::string("M119"));
        QCOMPARE(MainWindow::instMainWindow, &window);
        getConfigFile()->configFile()->setLedStatus(true);
        getConfigFile()->configFile()->setTransmissionRatio(80, 80, 400, 93);
    }

    // Steps per mm from a settings file written by other means: only what
    // the editor could have chosen reaches the board, anything else is
    // replaced by the factory value.
    void storedStepsPerMmAreCheckedAtStart()
    {
        Config *config = getConfigFile()->configFile();
        // The window closes at once; the board is told all the same.
        const auto sentAtStart = [this] {
            fx->board().clearLog();
            { MainWindow window; }
            (void)QTest::qWaitFor([this] { return fx->count("M92 B93") > 0; }, kTryWaitMs);
            return fx->motionCommands().filter(QRegularExpression("^M92 [XYZA]"));
        };
        config->setTransmissionRatio(0, -80, 2147483647, 5001);
        QCOMPARE(sentAtStart(), (QStringList{"M92 X80", "M92 Y80", "M92 Z400", "M92 A93"}));
        config->setTransmissionRatio(1, 1000, 1000, 5000);
        QCOMPARE(sentAtStart(), (QStringList{"M92 X1", "M92 Y1000", "M92 Z1000", "M92 A5000"}));
        config->setTransmissionRatio(1001, 80, 400, 0);
        QCOMPARE(sentAtStart(), (QStringList{"M92 X80", "M92 Y80", "M92 Z400", "M92 A93"}));
        config->setTransmissionRatio(80, 80, 400, 93);
    }

    // The status bar's icons follow the stick and the station's address.
    void statusIconsFollowTheState()
    {
        const auto iconOf = [](MainWindow &window, const char *name) {
            return window.findChild<QLabel *>(name)->pixmap(Qt::ReturnByValue).toImage();
        };
        const auto image = [](const char *icon) { return QPixmap(QString(":/Resource/icon/") + icon).toImage(); };
        const QString stick = fx->root() + "/icon-stick";
        QVERIFY(QDir().mkpath(stick));
        MainWindow window;
        QCOMPARE(iconOf(window, "usbIcon"), image("usb_none.png"));
        QCOMPARE(iconOf(window, "wifiIcon"), image("wifi_off.png"));
        QVERIFY(usbStick(fx->root(), {"plug", stick}));
        QTRY_VERIFY(window.getUpanStatus());
        QTRY_COMPARE(iconOf(window, "usbIcon"), image("usb.png"));
        QVERIFY(usbStick(fx->root(), {"unplug"}));
        QTRY_VERIFY(!window.getUpanStatus());
        QTRY_COMPARE(iconOf(window, "usbIcon"), image("usb_none.png"));
    }

    void temperaturesFollowTheBoard()
    {
        MainWindow window;
        link()->HeatingHalvorII(205, 65);
        QTRY_COMPARE(window.getTargetExtruderTemp(), 205);
        QTRY_COMPARE(window.getTargetPlatformTemp(), 65);
        QTRY_VERIFY(window.getCurrentExtruderTemp() > 100);
        QTRY_VERIFY(window.findChild<QToolButton *>("nozzleTemp")->text().endsWith("/205\u2103"));
        // A silent board gives no reading until it answers again: "--" a
        // reply time after its last word, before the silence is declared.
        // Long reply times leave a loaded machine seconds between the two.
        link()->setReplyTimeoutMs(6000);
        fx->board().setSilent(true);
        QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QToolButton *>("nozzleTemp")->text(), QString("--/205\u2103"), 30000);
        QVERIFY(link()->boardResponding());
        QCOMPARE(window.findChild<QToolButton *>("platformTemp")->text(), QString("--/65\u2103"));
        QVERIFY(!window.temperaturesLive());
        link()->setReplyTimeoutMs(300);
        fx->board().setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(window.temperaturesLive(), 30000);
        QVERIFY(window.findChild<QToolButton *>("platformTemp")->text().contains(QRegularExpression("^\\d+/65")));
        link()->stopHalvorIIHeating();
    }

    void aSilentBoardDoesNotFreezeTheScreen()
    {
        MainWindow window;
        fx->board().setSilent(true);
        int ticks = 0;
        QTimer ui;
        connect(&ui, &QTimer::timeout, [&] { ++ticks; });
        ui.start(10);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1500)
            QTest::qWait(20);
        fx->board().setSilent(false);
        // At most one exchange (two short attempts here) blocks the loop.
        QVERIFY2(ticks > 60, qPrintable(QString::number(ticks)));
        link()->serialCheckCode("M105");
    }

    // A board that goes silent mid-print: the screen stays live while the
    // print thread and the poll find out, a notice says why, and it goes when
    // the board answers again.
    void aSilentBoardIsSaidAndTheNoticeGoes()
    {
        link()->setReplyTimeoutMs(1500);
        QFile file(fx->root() + "/silent.gcode");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray("G1 X10 F600\nG1 X0 F600\n").repeated(2000)));
        file.close();
        MainWindow window;
        link()->slo_printCtlInit();
        std::thread print([this, &file] { link()->serialPrint(file.fileName()); });
        QTRY_VERIFY(fx->count("G1 X10 F600") > 0);
        StallProbe probe;
        fx->board().setSilent(true);
        QTRY_VERIFY(OneButtonDialog::instOneButtonDialog);
        OneButtonDialog *notice = OneButtonDialog::instOneButtonDialog;
        QCOMPARE(notice->findChild<QLabel *>("textLabel")->text(), MainWindow::tr("The motion board does not respond."));
        QTRY_VERIFY(notice->isVisible() && ScreenCheck::clippedTexts(notice).isEmpty());
        ScreenCheck::save(notice, "board_silent");
        QTest::qWait(1000); // the poll goes on asking the silent board
        // An exchange against the silent board lasts two reply times here.
        const qint64 stall = probe.takeWorstStallMs();
        QVERIFY2(stall < 1500, qPrintable(QString::number(stall)));
        fx->board().setSilent(false);
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
        print.join(); // the print ended when the board stopped answering
        link()->setReplyTimeoutMs(300);
    }

    // While a print page is open the poll asks the filament sensor; only a
    // sensor that says "no filament" is a run-out, never a board that did
    // not answer.
    void filamentSensorIsReadInThePoll()
    {
        MainWindowHooks hooks;
        hooks.printPageOpen = [] { return true; };
        MainWindow::setHooks(hooks);
        getConfigFile()->configFile()->setFilamentDetect(true);
        MainWindow window;
        fx->board().setFilament(sim::Filament::Absent);
        QTRY_VERIFY(!window.filamentCheckStatu());
        fx->board().setSilent(true);
        QTRY_VERIFY(window.filamentCheckStatu());
        fx->board().setSilent(false);
        fx->board().setFilament(sim::Filament::Absent);
        QTRY_VERIFY(!window.filamentCheckStatu());
        fx->board().setFilament(sim::Filament::SensorFault);
        QTRY_VERIFY(window.filamentCheckStatu());

        // Not asked while filament detection is off.
        fx->board().setFilament(sim::Filament::Absent);
        getConfigFile()->configFile()->setFilamentDetect(false);
        // The poll running and the one asked for before the switch still ask.
        int polls = fx->count("M105");
        QTRY_VERIFY(fx->count("M105") > polls + 2);
        const int asked = fx->count("M113");
        polls = fx->count("M105");
        QTRY_VERIFY(fx->count("M105") > polls + 3);
        QCOMPARE(fx->count("M113"), asked);
        QVERIFY(window.filamentCheckStatu());

        // A "no filament" asked for by a printing page that closes before the
        // answer comes is no run-out of the next print.
        getConfigFile()->configFile()->setFilamentDetect(true);
        static bool pageOpen = true;
        hooks.printPageOpen = [] { return pageOpen; };
        MainWindow::setHooks(hooks);
        // Right after the window has taken the late answer (queued behind its
        // own slot), a print opening then reads no run-out.
        QList<bool> freshPrintSees;
        connect(window.findChild<StatusPoller *>(), &StatusPoller::polled, &window,
                [&](const StatusReading &reading) {
                    if (reading.filament == StatusReading::Filament::NotRead)
                        return;
                    pageOpen = true;
                    freshPrintSees << window.filamentCheckStatu();
                }, Qt::QueuedConnection);
        fx->board().delayReplyOnce("M113", 500);
        const int askedBefore = fx->count("M113");
        QTRY_VERIFY(fx->count("M113") > askedBefore);
        pageOpen = false;
        QTRY_VERIFY(!freshPrintSees.isEmpty());
        QCOMPARE(freshPrintSees.first(), true);

        fx->board().setFilament(sim::Filament::Present);
        MainWindow::setHooks(MainWindowHooks());
        link()->serialCheckCode("M105");
    }

    void mainButtonsOpenTheirPageOnce()
    {
        int builds = 0;
        MainWindowHooks hooks;
        hooks.openBuild = [&] { ++builds; };
        MainWindow::setHooks(hooks);
        MainWindow window;
        auto *build = window.findChild<QToolButton *>("showBuild");
        QTest::mouseClick(build, Qt::LeftButton);
        QTest::mouseClick(build, Qt::LeftButton);
        QCOMPARE(builds, 1);
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(build, Qt::LeftButton);
        QCOMPARE(builds, 2);
        // A page that does not exist: nothing happens.
        QTest::mouseClick(window.findChild<QToolButton *>("showLevel"), Qt::LeftButton);
        MainWindow::setHooks(MainWindowHooks());
    }

    void transferNoticeFollowsTheServer()
    {
        MainWindow window;
        window.dialogClose(); // nothing open: nothing happens
        window.dialogShow("Receive file");
        QVERIFY(window.dialog);
        QCOMPARE(window.dialog->labelText(), QString("Receive file"));
        window.dialogClose();
        window.dialogShow("CRC ERROR");
        QCOMPARE(window.dialog->labelText(), QString("CRC ERROR"));
        window.dialogShow("Receive file"); // a new upload after the error
        QVERIFY(window.dialog && window.dialog->isVisible());
        QCOMPARE(window.dialog->labelText(), QString("Receive file"));
        window.dialogClose();
        QVERIFY(!window.dialog);
    }

    // The station resumes at start-up and rejoins its saved network and the
    // stand-in ping answers: the LAN server starts, and a file the slicer selects
    // opens the printing page with a fresh stamp.
    void lanServerStartsAndLanPrintsOpenThePrintPage()
    {
        joinStationAtStart();
        QString opened;
        MainWindowHooks hooks;
        hooks.openPrintPage = [&](const QString &path, bool resume) { opened = path + (resume ? "|resume" : ""); };
        MainWindow::setHooks(hooks);
        MainWindow window;
        QTRY_VERIFY(window.server.load() != nullptr);
        getConfigFile()->configFile()->setWifiStationStatus(false);
        QVERIFY(window.getNetworkConnectedStatus());
        QCOMPARE(window.findChild<QLabel *>("wifiIcon")->pixmap(Qt::ReturnByValue).toImage(),
                 QPixmap(":/Resource/icon/WiFi_04.png").toImage());
        const QString path = fx->root() + "/data/cube.gcode";
        const QString before = QString::fromStdString(getConfigFile()->configFile()->getModifyTime());
        emit window.server.load()->sig_printFile(path);
        QTRY_COMPARE(opened, path);
        QTRY_VERIFY_WITH_TIMEOUT(QString::fromStdString(getConfigFile()->configFile()->getModifyTime()) != before, 60000);

        // Not READY: the request is ignored.
        opened.clear();
        window.machineStatus = MACHINE_STATUS_BUILDING_FROM_SD;
        emit window.server.load()->sig_printFile(path);
        QTest::qWait(50);
        QVERIFY(opened.isEmpty());
        window.machineStatus = MACHINE_STATUS_READY;
        MainWindow::setHooks(MainWindowHooks());
    }

    // What a slicer holding control is told: the end-stops of the poll, M17
    // taken, no print promised that will not start, and the same printer
    // name whatever the screen's language.
    void lanClientGetsTruthfulReplies()
    {
        QString opened;
        MainWindowHooks hooks;
        hooks.openPrintPage = [&](const QString &path, bool) { opened = path; };
        hooks.printFileAccepted = [](const QString &path) { return !path.endsWith("bad.gcode"); };
        MainWindow::setHooks(hooks);
        QTranslator german;
        QVERIFY(ScreenCheck::installCatalogue(german, "german"));
        joinStationAtStart();
        MainWindow window;
        QTRY_VERIFY(window.server.load() != nullptr);
        getConfigFile()->configFile()->setWifiStationStatus(false);
        for (const char *name : {"cube.gcode", "bad.gcode"}) {
            QFile file(fx->root() + "/data/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("G28\n") == 4);
        }
        LanTestClient client;
        QVERIFY(client.connectTo(window.server.load()->tcpPort()));
        QVERIFY(client.command("M115").contains("Machine Name: Printer "));
        QVERIFY(client.command("M601 S1").contains("Control Success."));

        // The head at home, whatever an earlier case left behind.
        fx->board().placeHead({0, 0, 0, 0});
        QTRY_VERIFY2(client.command("M119").contains("\r\nEndstop: X:1 Y:1 Z:1\r\nok\r\n"), client.command("M119"));
        fx->board().clearLog();
        QCOMPARE(client.command("M17"), QByteArray("CMD M17 Received.\r\nok\r\n"));
        QTRY_COMPARE(fx->count("M17"), 1);

        QVERIFY(client.command("M23 0:/user/bad.gcode").contains("Error: file format error"));
        // The page of the first M23 opens on this thread, after both replies.
        QVERIFY(client.command("M23 0:/user/cube.gcode").contains("File selected: cube.gcode"));
        QVERIFY(client.command("M23 0:/user/cube.gcode").contains("Error: printer busy"));
        QTRY_COMPARE(opened, fx->root() + "/data/cube.gcode");
        QVERIFY(client.command("M27").contains("SD printing byte 0/100"));
        QCoreApplication::removeTranslator(&german);
        MainWindow::setHooks(MainWindowHooks());
    }

    void powerLossResumeIsOffered()
    {
        const QString path = fx->root() + "/data/cube.gcode";
        Config *config = getConfigFile()->configFile();
        config->setPowerOffResumePrintFileName(path.toStdString());
        QVERIFY(FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(42));
        QString opened;
        MainWindowHooks hooks;
        hooks.openPrintPage = [&](const QString &p, bool resume) { opened = p + (resume ? "|resume" : ""); };
        MainWindow::setHooks(hooks);
        {
            QuestionAnswerer yes(true);
            MainWindow window;
            QTRY_COMPARE(opened, path + "|resume");
            QCOMPARE(yes.asked.size(), 1);
        }
        // Declined: the record and the name are cleared.
        opened.clear();
        {
            QuestionAnswerer no(false);
            MainWindow window;
            QTRY_COMPARE(no.asked.size(), 1);
            qint64 line;
            QTRY_VERIFY(!FILESNAMESPACE::ResumePrintConfigSaveFile()->readLine(line));
            QCOMPARE(config->getPowerOffResumePrintFileName(), std::string());
            QVERIFY(opened.isEmpty());
        }
        // A print name without a record is cleared without a question.
        config->setPowerOffResumePrintFileName(path.toStdString());
        FILESNAMESPACE::ResumePrintConfigSaveFile()->removeResumePrintConfigFile();
        {
            QuestionAnswerer never(true);
            MainWindow window;
            QTRY_COMPARE(config->getPowerOffResumePrintFileName(), std::string());
            QVERIFY(never.asked.isEmpty());
            QVERIFY(opened.isEmpty());
        }
        MainWindow::setHooks(MainWindowHooks());
    }

    void resumeOnlyOfAPrintFileInStorage_data()
    {
        QTest::addColumn<QString>("name"); // "~" stands for the machine's root
        QTest::addColumn<bool>("offered");
        QTest::newRow("local storage") << "~/data/cube.gcode" << true;
        QTest::newRow("a folder of local storage") << "~/data/models/part.gx" << true;
        QTest::newRow("the stick") << "~/media/part.g" << true;
        QTest::newRow("gone") << "~/data/gone.gcode" << false;
        QTest::newRow("the host's") << "/etc/passwd" << false;
        QTest::newRow("a print name elsewhere") << "~/opt/PROGRAM/part.gcode" << false;
        QTest::newRow("climbing out") << "~/data/../opt/PROGRAM/part.gcode" << false;
        QTest::newRow("climbing out and back") << "~/data/models/../cube.gcode" << false;
        QTest::newRow("a link out") << "~/data/link.gcode" << false;
        QTest::newRow("no print file") << "~/data/notes.txt" << false;
        QTest::newRow("a folder") << "~/data/folder.gcode" << false;
        QTest::newRow("a pipe") << "~/data/pipe.gcode" << false;
    }

    // A record naming anything but a print file in local storage or on the
    // stick is cleared without a question: nothing else is heated and homed.
    void resumeOnlyOfAPrintFileInStorage()
    {
        QFETCH(QString, name);
        QFETCH(bool, offered);
        const QString root = fx->root();
        // A stick is mounted only over an empty /media.
        const auto unplugged = qScopeGuard([root] { QFile::remove(root + "/media/part.g"); });
        for (const char *file : {"/data/models/part.gx", "/media/part.g", "/opt/PROGRAM/part.gcode", "/data/notes.txt"}) {
            QDir().mkpath(QFileInfo(root + file).absolutePath());
            QFile touch(root + file);
            QVERIFY(touch.open(QIODevice::WriteOnly) && touch.write("M104 S200\n") > 0);
        }
        QDir().mkpath(root + "/data/folder.gcode");
        QFile::link(root + "/opt/PROGRAM/part.gcode", root + "/data/link.gcode");
        mkfifo(QFile::encodeName(root + "/data/pipe.gcode").constData(), 0600);
        const QString path = QString(name).replace('~', root);
        Config *config = getConfigFile()->configFile();
        config->setPowerOffResumePrintFileName(path.toStdString());
        QVERIFY(FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(42));
        QString opened;
        MainWindowHooks hooks;
        hooks.openPrintPage = [&](const QString &p, bool) { opened = p; };
        MainWindow::setHooks(hooks);
        {
            QuestionAnswerer yes(true);
            MainWindow window;
            if (offered) {
                QTRY_COMPARE(opened, path);
            } else {
                QTRY_COMPARE(config->getPowerOffResumePrintFileName(), std::string());
                qint64 line;
                QVERIFY(!FILESNAMESPACE::ResumePrintConfigSaveFile()->readLine(line));
                QVERIFY(yes.asked.isEmpty());
                QVERIFY(opened.isEmpty());
            }
        }
        config->setPowerOffResumePrintFileName(std::string());
        FILESNAMESPACE::ResumePrintConfigSaveFile()->removeResumePrintConfigFile();
        MainWindow::setHooks(MainWindowHooks());
    }

    void mainScreenFitsInEveryOfferedLanguage()
    {
        ScreenCheck::useDeviceFont();
        for (const QString &language : ScreenCheck::offeredLanguages()) {
            QTranslator translator;
            QVERIFY(ScreenCheck::installCatalogue(translator, language));
            MainWindow window;
            window.show();
            link()->HeatingHalvorII(210, 60);
            QTRY_VERIFY(window.getTargetExtruderTemp() == 210);
            QCoreApplication::processEvents();
            ScreenCheck::save(&window, "main_" + language);
            const QStringList clipped = ScreenCheck::clippedTexts(&window);
            QVERIFY2(clipped.isEmpty(), qPrintable(language + ": " + clipped.join(" | ")));
            QCoreApplication::removeTranslator(&translator);
        }
        link()->stopHalvorIIHeating();
    }

    void latestVersionComparesNumbers()
    {
        QDir().mkpath(fx->root() + "/opt/PROGRAM/software/1.0.15");
        QDir().mkpath(fx->root() + "/opt/PROGRAM/software/1.1.0");
        QDir().mkpath(fx->root() + "/opt/PROGRAM/software/junk");
        QString dir = "/opt/PROGRAM/software";
        QCOMPARE(MainWindow::getLatestVersionNumber(dir), QString("1.1.0"));
        QString none = "/opt/PROGRAM/nothing";
        QCOMPARE(MainWindow::getLatestVersionNumber(none), QString("1.0.0"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
