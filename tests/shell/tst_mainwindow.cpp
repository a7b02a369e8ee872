#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "lan/myserver.h"
#include "mainwindow.h"
#include "onetimesclicked.h"
#include "printericons.h"
#include "printertranslations.h"
#include "resumeprintconfigsavefile.h"
#include "sendfiledialog.h"
#include "serialobject.h"
#include "questions.h"
#include "screencheck.h"
#include "simfixture.h"
#include "timescale.h"
#include "twobuttondialog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QTranslator>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    SerialObject *link() { return ExecuteGetSerialObject()->serial(); }

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
        fx->board().clearLog();
        MainWindow window;
        const QStringList sent = fx->motionCommands().mid(0, 6);
        QCOMPARE(fx->board().commands().front(), std::string("M119"));
        QCOMPARE(sent, (QStringList{"M144", "M92 X81", "M92 Y82", "M92 Z401", "M92 A94", "M92 B93"}));
        QCOMPARE(MainWindow::instMainWindow, &window);
        getConfigFile()->configFile()->setLedStatus(true);
        getConfigFile()->configFile()->setTransmissionRatio(80, 80, 400, 93);
    }

    void temperaturesFollowTheBoard()
    {
        MainWindow window;
        link()->HeatingHalvorII(205, 65);
        QTRY_COMPARE(window.getTargetExtruderTemp(), 205);
        QTRY_COMPARE(window.getTargetPlatformTemp(), 65);
        QTRY_VERIFY(window.getCurrentExtruderTemp() > 100);
        QTRY_VERIFY(window.findChild<QToolButton *>("nozzleTemp")->text().endsWith("/205\u2103"));
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
        window.dialogShow("again"); // a second request closes it
        QVERIFY(!window.dialog);
        window.dialogShow("Receive file");
        window.dialogClose();
        window.dialogShow("CRC ERROR");
        QCOMPARE(window.dialog->labelText(), QString("CRC ERROR"));
        window.dialogClose();
        QVERIFY(!window.dialog);
    }

    // In the sandbox the loopback interface stands in for the Wi-Fi station
    // and the stand-in ping answers: the LAN server starts, and a file the
    // slicer selects opens the printing page with a fresh stamp.
    void lanServerStartsAndLanPrintsOpenThePrintPage()
    {
        QString opened;
        MainWindowHooks hooks;
        hooks.openPrintPage = [&](const QString &path, bool resume) { opened = path + (resume ? "|resume" : ""); };
        MainWindow::setHooks(hooks);
        MainWindow window;
        QTRY_VERIFY_WITH_TIMEOUT(window.server.load() != nullptr, 10000);
        QVERIFY(window.getNetworkConnectedStatus());
        const QString path = fx->root() + "/data/cube.gcode";
        const QString before = QString::fromStdString(getConfigFile()->configFile()->getModifyTime());
        emit window.server.load()->sig_printFile(path);
        QTRY_COMPARE(opened, path);
        QVERIFY(QString::fromStdString(getConfigFile()->configFile()->getModifyTime()) != before);

        // Not READY: the request is ignored.
        opened.clear();
        window.machineStatus = MACHINE_STATUS_BUILDING_FROM_SD;
        emit window.server.load()->sig_printFile(path);
        QTest::qWait(50);
        QVERIFY(opened.isEmpty());
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
        // A record whose file is gone is cleared without a question.
        config->setPowerOffResumePrintFileName((fx->root() + "/data/gone.gcode").toStdString());
        FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(7);
        {
            QuestionAnswerer never(true);
            MainWindow window;
            QTRY_COMPARE(config->getPowerOffResumePrintFileName(), std::string());
            QVERIFY(never.asked.isEmpty());
        }
        MainWindow::setHooks(MainWindowHooks());
    }

    void mainScreenFitsInEveryOfferedLanguage()
    {
        ScreenCheck::useDeviceFont();
        for (const QString &language : ScreenCheck::offeredLanguages()) {
            QTranslator translator;
            QVERIFY(translator.load(":/Resource/translations/firmware_" + language));
            QCoreApplication::installTranslator(&translator);
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
