#include "about.h"
#include "cmdprocess.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "linkrequests.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "pageopener.h"
#include "printericons.h"
#include "printertranslations.h"
#include "serialobject.h"
#include "simfixture.h"
#include "timescale.h"
#include "questions.h"
#include "screencheck.h"
#include "usbstick.h"
#include "wifiair.h"
#include "wifi/wifi.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

QString text(About *page, const char *name)
{
    if (auto *label = page->findChild<QLabel *>(name))
        return label->text();
    return page->findChild<QAbstractButton *>(name)->text();
}

QAbstractButton *button(About *page, const char *name)
{
    return page->findChild<QAbstractButton *>(name);
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> mainWindow;
    QTemporaryDir stickFolder;

    About *open() { return openPage(About::instAbout); }

    void closePage()
    {
        if (About::instAbout)
            About::instAbout->close();
        QTRY_VERIFY(!About::instAbout);
    }

    static void pressSerial(About *page, int times)
    {
        for (int i = 0; i < times; ++i)
            button(page, "btn_serinalNo")->click();
    }

private slots:
    void initTestCase()
    {
        initPrinterIcons();
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(300);
        MainWindow::setLanPorts(0, 0);
        // The station rejoins a network of the sandbox's air at start-up.
        WifiAir::saveNetwork("Workshop", "printer123");
        getConfigFile()->configFile()->setWifiStationStatus(true);
        mainWindow = std::make_unique<MainWindow>();
        QVERIFY(stickFolder.isValid());
    }
    void cleanupTestCase()
    {
        mainWindow.reset();
        fx.reset();
    }
    void cleanup() { closePage(); }

    // The values come from the board, the package store, the settings and
    // the data partition; the address carries the LAN port.
    void showsTheMachinesData()
    {
        fx->board().setFirmwareVersion("2.4.1");
        QDir root(fx->root());
        for (const char *dir : {"opt/PROGRAM/kernel/4.9.2", "opt/PROGRAM/library/1.0.9", "opt/PROGRAM/library/1.0.10"})
            QVERIFY(root.mkpath(dir));
        getConfigFile()->configFile()->setPrinterSerialNumber("KP2026A");

        About *page = open();
        QCOMPARE(text(page, "labelMachineType"), QStringLiteral("Korrin Plus"));
        QTRY_COMPARE(text(page, "labelFirmwareVersion"), QStringLiteral("v1.1.0-2.4.1-4.9.2-1.0.10"));
        QCOMPARE(text(page, "btn_serinalNo"), QStringLiteral("KP2026A"));
        QVERIFY2(QRegularExpression("^\\d+\\.\\d\\dGB$").match(text(page, "label_localMomery")).hasMatch(),
                 qPrintable(text(page, "label_localMomery")));
        // The stand-in station's lease and the wlan0 hardware address.
        QTRY_COMPARE(text(page, "labelIpAddress"), QStringLiteral("127.0.0.1:8899"));
        QCOMPARE(text(page, "labelMACAddress"), QStringLiteral("00:11:22:33:44:55"));
    }

    void serialNumberIsDrawnOnOneLine_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("as scanned") << "KP2026A" << "KP2026A";
        QTest::newRow("line breaks") << "KP\n2026\r\nA" << "KP2026A";
        QTest::newRow("mirrored") << "KP\u202E2026A" << "KP2026A";
        QTest::newRow("isolated, zero width, separator") << "\u2067KP\u200B2026\u2028A\u2069" << "KP2026A";
        QTest::newRow("terminal escape") << "KP\t2026\x1b[2J\x7f" << "KP2026[2J";
    }

    // What the settings hold by other means is drawn without the characters
    // that would break the line or turn the text round.
    void serialNumberIsDrawnOnOneLine()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        getConfigFile()->configFile()->setPrinterSerialNumber(stored.toStdString());
        QCOMPARE(text(open(), "btn_serinalNo"), shown);
    }

    // With the station off the address says so; the MAC still shows.
    void withoutNetworkTheAddressSaysSo()
    {
        About *page = open();
        QTRY_COMPARE(text(page, "labelIpAddress"), QStringLiteral("127.0.0.1:8899"));
        mainWindow->m_wifi->wifiStaStop();
        QTRY_COMPARE(text(page, "labelIpAddress"), QStringLiteral("No Network"));
        QCOMPARE(text(page, "labelMACAddress"), QStringLiteral("00:11:22:33:44:55"));
        mainWindow->m_wifi->wifiStaStart();
        QTRY_VERIFY(mainWindow->getNetworkConnectedStatus());
    }

    // A board that does not answer "M901" leaves the firmware part empty
    // instead of showing a failure text as the version.
    void failedFirmwareQueryShowsNoBogusVersion()
    {
        SerialObject *link = ExecuteGetSerialObject()->serial();
        fx->board().setSilent(true);
        About *page = open();
        // Queries run in order: once this one has failed, the page's has too.
        QCOMPARE(waitForOutcome(link->request(QStringLiteral("M105"))), BoardRequest::Outcome::NotTaken);
        fx->board().setSilent(false);
        const QString version = text(page, "labelFirmwareVersion");
        QVERIFY2(version.startsWith("v1.1.0--"), qPrintable(version));
        QVERIFY2(!version.contains("fail", Qt::CaseInsensitive), qPrintable(version));
        QTRY_VERIFY(link->boardResponding());
    }

    void usageCountsWholeHours_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("119 min") << 119 << "1  hours";
        QTest::newRow("120 min") << 120 << "2  hours";
    }
    void usageCountsWholeHours()
    {
        QFETCH(int, minutes);
        QFETCH(QString, shown);
        Config *config = getConfigFile()->configFile();
        config->setPrinterTotalTime(minutes - config->getPrinterTotalTime());
        QCOMPARE(text(open(), "labelUsageCounter"), shown);
    }

    void pagesUpAndDown()
    {
        About *page = open();
        QWidget *one = page->findChild<QWidget *>("OnePageWidget");
        QWidget *two = page->findChild<QWidget *>("twoPageWidget");
        QVERIFY(!button(page, "up")->isEnabled());
        QVERIFY(one->isVisible() && !two->isVisible());
        QTest::mouseClick(button(page, "down"), Qt::LeftButton);
        QVERIFY(!button(page, "down")->isEnabled());
        QTest::mouseClick(button(page, "down"), Qt::LeftButton);
        QVERIFY(!one->isVisible() && two->isVisible());
        QCOMPARE(text(page, "label"), QStringLiteral("2/2"));
        QTest::mouseClick(button(page, "up"), Qt::LeftButton);
        QVERIFY(one->isVisible() && !two->isVisible());
        QCOMPARE(text(page, "label"), QStringLiteral("1/2"));
    }

    // The fifth press without a stick says so; a series does not survive
    // the page: four presses, close, reopen, one press do nothing.
    void logExportWithoutStick()
    {
        QVERIFY(!mainWindow->getUDiskState());
        MessageCatcher messages;
        pressSerial(open(), 5);
        QTRY_COMPARE(messages.shown, QStringList{"No USB flash disk detected!"});
        pressSerial(About::instAbout, 4);
        closePage();
        pressSerial(open(), 1);
        QTest::qWait(20);
        QCOMPARE(messages.shown.size(), 1);
    }

    // With a stick, the fifth press copies the log folder onto it and
    // reports success only once the files are there.
    void logExportCopiesTheLogFolderToTheStick()
    {
        QFile log(fx->root() + "/opt/PROGRAM/log/printer-ui.log");
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("2026.12.07 08:00:00.000 <DEBUG> started\n");
        log.close();
        int mounts = 0;
        connect(mainWindow.get(), &MainWindow::sig_usbMount, this, [&] { ++mounts; });
        QVERIFY(usbStick(fx->root(), {"plug", stickFolder.path()}));
        QTRY_VERIFY(mounts > 0);

        MessageCatcher messages;
        pressSerial(open(), 5);
        QTRY_COMPARE(messages.shown, QStringList{"Copy complete!"});
        QFile copied(stickFolder.path() + "/log/printer-ui.log");
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QVERIFY(copied.readAll().contains("started"));
        QTRY_VERIFY(!CmdProcess::instCmdProcess);
        QVERIFY(usbStick(fx->root(), {"unplug"}));
        QTRY_VERIFY(!mainWindow->getUDiskState());
    }

    // Both display pages fit in every offered language.
    void fitsInEveryOfferedLanguage()
    {
        for (const QString language : {"english", "german", "french", "spanish", "japanese", "chinese-cn"}) {
            QTranslator translator;
            QVERIFY(ScreenCheck::installCatalogue(translator, language));
            About *page = open();
            QTRY_VERIFY(!text(page, "labelIpAddress").isEmpty());
            for (const char *shown : {"page1", "page2"}) {
                QCoreApplication::processEvents();
                const QStringList clipped = ScreenCheck::clippedTexts(page);
                QVERIFY2(clipped.isEmpty(), qPrintable(language + ": " + clipped.join(" | ")));
                QCoreApplication::processEvents(); // the framebuffer composes a round later
                ScreenCheck::saveScreen("about_" + language + "_" + shown);
                button(page, "down")->click();
            }
            closePage();
            QCoreApplication::removeTranslator(&translator);
        }
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
