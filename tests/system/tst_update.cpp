// The update page and the main window's new-version prompt, end to end: the
// simulated board, the real main window with its update checker, and the
// local HTTPS update server with real packages.
#include "callrecorder.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "printericons.h"
#include "printertranslations.h"
#include "questions.h"
#include "screencheck.h"
#include "serialobject.h"
#include "simfixture.h"
#include "timescale.h"
#include "update.h"
#include "update/updatemanager.h"
#include "updateserver.h"
#include "wifiair.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <chrono>
#include <memory>
#include <thread>

class TestUpdatePage : public QObject {
    Q_OBJECT

    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<TestUpdateServer> server;
    std::unique_ptr<MainWindow> mainWindow;

    // A main window whose checker has started against the test server.
    void startMainWindow()
    {
        MainWindowHooks hooks;
        hooks.findTheLatestFirmware = &Update::findTheLatestFirmware;
        hooks.updatePageOpen = [] { return Update::instUpdate != nullptr; };
        MainWindow::setHooks(hooks);
        MainWindow::setLanPorts(0, 0);
        mainWindow = std::make_unique<MainWindow>();
        QTRY_VERIFY(mainWindow->getNetworkConnectedStatus());
    }

    UpdateManager *manager() { return mainWindow->getUpdateManagerClass(); }

    update_firmware_process state()
    {
        update_firmware_process s;
        manager()->getCurrentFirmwareUpdateProcess(s);
        return s;
    }

    // Offers a package whose download stops halfway until release(), so
    // that a page opened meanwhile is the one that asks.
    void offerHeld(const QString &version, const QString &script)
    {
        const auto package = server->publishScript("software", version, script);
        server->holdAfter(package.size / 2);
        server->offer({server->entry(package)});
    }

    static Update *openPage()
    {
        Update::instUpdate = new Update(false);
        Update::instUpdate->show();
        return Update::instUpdate;
    }

    static QString message() { return Update::instUpdate->findChild<QLabel *>("labelMessage")->text(); }
    static bool shown(const char *name) { return Update::instUpdate->findChild<QWidget *>(name)->isVisible(); }
    static void clickBack() { QTest::mouseClick(Update::instUpdate->findChild<QToolButton *>("back"), Qt::LeftButton); }
    bool versionInstalled(const QString &version) const
    {
        return QFileInfo::exists(fx->root() + "/opt/PROGRAM/software/" + version + "/run.sh");
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        server = std::make_unique<TestUpdateServer>();
        QVERIFY(server->ok());
        Config *config = getConfigFile()->configFile();
        config->reload();
        config->setUpdateServer(server->url().toStdString());
        // Each main window's station rejoins a network of the sandbox's air.
        WifiAir::saveNetwork("Workshop", "printer123");
        config->setWifiStationStatus(true);
        QDir().mkpath(fx->root() + "/opt/PROGRAM/config");
        QVERIFY(QFile::copy(server->certificate(), fx->root() + "/opt/PROGRAM/config/update-ca.pem"));
        QDir().mkpath(fx->root() + "/opt/PROGRAM/software/1.0.0");
        ExecuteGetSerialObject()->serial();
    }

    void cleanup()
    {
        delete Update::instUpdate;
        mainWindow.reset();
        // A completed installation leaves the link closed, as on the printer.
        ExecuteGetSerialObject()->serial()->serialReopen();
    }

    void cleanupTestCase()
    {
        server.reset();
        fx.reset();
    }

    // From the settings menu: checking, the download with kind and percent,
    // one question, installation, the restart request; back no longer closes.
    void pageDownloadsAsksOnceAndInstalls()
    {
        offerHeld("1.1.0", "exit 0\n");
        QuestionAnswerer answerer(true, 50);
        startMainWindow();
        openPage();
        QCOMPARE(message(), QStringLiteral("Checking version \n information..."));
        ScreenCheck::save(Update::instUpdate, "update_checking");

        QTRY_COMPARE(message(), QStringLiteral("software downloading..."));
        QTRY_COMPARE(Update::instUpdate->findChild<QLabel *>("progress")->text(), QStringLiteral("50%"));
        QVERIFY(shown("progressBar"));
        QCOMPARE(Update::instUpdate->findChild<QProgressBar *>("progressBar")->value(), 50);
        ScreenCheck::save(Update::instUpdate, "update_downloading");
        const QString root = QDir(fx->root()).canonicalPath();
        CallRecorder::start(root);
        server->release();

        QTRY_COMPARE(message(), QStringLiteral("Upgrade completed, \nPlease restart the machine\uff01"));
        QVERIFY(shown("updateOk"));
        QVERIFY(!shown("progressBar"));
        QCOMPARE(answerer.asked, QStringList{"Confirm|A new version is found.\n Upgrade firmware?"});
        QVERIFY(versionInstalled("1.1.0"));
        // The installation flushed the store from the page's worker: the GUI
        // thread never waited for the medium (the sanitizer build runs
        // without the recorder).
        if (CallRecorder::preloaded()) {
            QVERIFY(CallRecorder::record().contains("flush " + root + "/opt/PROGRAM/software"));
            const QStringList waits = CallRecorder::mainThreadFlushesAndRenames();
            QVERIFY2(waits.isEmpty(), qPrintable(waits.join('\n')));
            CallRecorder::start(QString());
        }
        // The poll has stopped and the link is closed until the restart.
        QCOMPARE(ExecuteGetSerialObject()->serial()->serialCheckCode("M105"), QStringLiteral("send failed."));
        ScreenCheck::save(Update::instUpdate, "update_completed");
        // A late prompt on the open page starts nothing a second time.
        Update::findTheLatestFirmware();
        QCOMPARE(message(), QStringLiteral("Upgrade completed, \nPlease restart the machine\uff01"));
        QCOMPARE(ExecuteGetSerialObject()->serial()->serialCheckCode("M105"), QStringLiteral("send failed."));
        clickBack();
        QVERIFY(Update::instUpdate && Update::instUpdate->isVisible());
    }

    // The main window asks once; the page it opens installs without asking.
    void promptInstallsWithoutAskingAgain()
    {
        server->offer({server->entry(server->publishScript("software", "1.2.0", "exit 0\n"))});
        QuestionAnswerer answerer(true, 50);
        answerer.whileOpen = [this] {
            ScreenCheck::save(TwoButtonDialog::instTwoButtonDialog, "update_question");
            QTimer::singleShot(0, [] {
                QTest::mouseClick(TwoButtonDialog::instTwoButtonDialog->findChild<QPushButton *>("okBtn"),
                                  Qt::LeftButton);
            });
        };
        startMainWindow();
        QTRY_VERIFY(Update::instUpdate);
        QTRY_COMPARE(message(), QStringLiteral("Upgrade completed, \nPlease restart the machine\uff01"));
        QCOMPARE(answerer.asked, QStringList{"Confirm|A new version is found.\n Upgrade firmware?"});
        QVERIFY(versionInstalled("1.2.0"));
    }

    // A failed installation gives the printer back: link and poll work again,
    // back closes the page, the new version is not in the store. A tap on
    // back while "Installing..." is shown does nothing: the page stays and
    // shows the error.
    void failedInstallGivesThePrinterBack()
    {
        const QString root = fx->root();
        offerHeld("1.3.0", "touch \"$PRINTER_SYSROOT/installing\"\n"
                           "while [ ! -e \"$PRINTER_SYSROOT/go\" ]; do sleep 0.01; done\nexit 3\n");
        startMainWindow();
        QuestionAnswerer answerer(true);
        openPage();
        QToolButton *back = Update::instUpdate->findChild<QToolButton *>("back");
        const QPoint centre = back->rect().center();
        // The tap comes while the package's script runs, queued as the touch
        // screen's would be.
        std::thread tapper([root, back, centre] {
            QDeadlineTimer deadline(30000);
            while (!QFileInfo::exists(root + "/installing") && !deadline.hasExpired())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            QCoreApplication::postEvent(back, new QMouseEvent(QEvent::MouseButtonPress, centre, Qt::LeftButton,
                                                              Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(back, new QMouseEvent(QEvent::MouseButtonRelease, centre, Qt::LeftButton,
                                                              Qt::NoButton, Qt::NoModifier));
            QFile(root + "/go").open(QIODevice::WriteOnly);
        });
        server->release();
        QTRY_VERIFY(!Update::instUpdate || message() == QStringLiteral("Upgrade Error"));
        tapper.join();
        QCoreApplication::processEvents();
        QVERIFY2(Update::instUpdate, "the tap made while installing closed the page");
        QCOMPARE(message(), QStringLiteral("Upgrade Error"));
        QCOMPARE(answerer.asked.size(), 1);
        QVERIFY(!versionInstalled("1.3.0"));
        fx->board().clearLog();
        QVERIFY(fx->waitForCommand("M105"));
        QVERIFY(ExecuteGetSerialObject()->serial()->serialCheckCode("M119") != QStringLiteral("send failed."));
        clickBack();
        QTRY_VERIFY(!Update::instUpdate);
    }

    // "No" closes the page and installs nothing; the update keeps waiting.
    void noClosesWithoutInstalling()
    {
        offerHeld("1.4.0", "exit 0\n");
        startMainWindow();
        QuestionAnswerer answerer(false);
        openPage();
        server->release();
        QTRY_VERIFY(!Update::instUpdate);
        QCOMPARE(answerer.asked.size(), 1);
        QVERIFY(!versionInstalled("1.4.0"));
        QCOMPARE(int(state()), int(DOWNLOADED));
    }

    // A version found during a print waits: no question over the print.
    void noPromptWhilePrinting()
    {
        offerHeld("1.5.0", "exit 0\n");
        startMainWindow();
        mainWindow->machineStatus = MACHINE_STATUS_BUILDING_FROM_SD;
        QuestionAnswerer answerer(false);
        QSignalSpy found(manager(), &UpdateManager::sig_newVersionDownloaded);
        server->release();
        QTRY_COMPARE(found.count(), 1);
        QCoreApplication::processEvents();
        QVERIFY(answerer.asked.isEmpty());
        QCOMPARE(int(state()), int(DOWNLOADED));
    }

    // A finished check is asked again when the page opens.
    void latestVersionIsCheckedAgain()
    {
        server->offer({});
        startMainWindow();
        QTRY_COMPARE(int(state()), int(THE_LATEST_VERSION));
        const int asked = server->requestsTo("PUT", "/update").size();
        openPage();
        QCOMPARE(message(), QStringLiteral("Checking version \n information..."));
        QTRY_COMPARE(message(), QStringLiteral("It's the latest version."));
        QCOMPARE(server->requestsTo("PUT", "/update").size(), asked + 1);
        clickBack();
        QTRY_VERIFY(!Update::instUpdate);
    }

    // Every message fits the page in each offered language.
    void messagesFit_data()
    {
        ScreenCheck::addLanguageRows();
    }

    void messagesFit()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        server->offer({});
        startMainWindow();
        Update *page = openPage();
        page->findChild<QProgressBar *>("progressBar")->show();
        page->findChild<QLabel *>("progress")->show();
        page->findChild<QLabel *>("updateOk")->show();
        auto *label = page->findChild<QLabel *>("labelMessage");
        const char *texts[] = {"Checking version \n information...", "Downloading...", "software downloading...",
                               "library downloading...", "Upgrade Error", "Installing...",
                               "Upgrade completed, \nPlease restart the machine\uff01", "It's the latest version.",
                               "Poor network, please\ncheck the network and\ntry again !", "A new version is found."};
        for (const char *text : texts) {
            // Set and measured in one turn of the event loop: the worker's
            // next message cannot come between.
            label->setText(QCoreApplication::translate("Update", text));
            const QStringList clipped = ScreenCheck::clippedTexts(page);
            QVERIFY2(clipped.isEmpty(), qPrintable(language + " cuts: " + clipped.join(" | ")));
        }
        label->setText(QCoreApplication::translate("Update", "Poor network, please\ncheck the network and\ntry again !"));
        ScreenCheck::save(page, "update_" + language + "_longest");
        auto *question = new TwoButtonDialog(QCoreApplication::translate("Update", "Confirm"),
                                             QCoreApplication::translate("Update", "A new version is found.\n Upgrade firmware?"),
                                             QCoreApplication::translate("Update", "Yes"),
                                             QCoreApplication::translate("Update", "No"));
        question->show();
        QCoreApplication::processEvents();
        QVERIFY(ScreenCheck::clippedTexts(question).isEmpty());
        ScreenCheck::save(question, "update_" + language + "_question");
        delete question;
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestUpdatePage)
#include "tst_update.moc"
