#include "config.h"
#include "getconfigfile.h"
#include "keyboard.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "printericons.h"
#include "printertranslations.h"
#include "questions.h"
#include "screencheck.h"
#include "simfixture.h"
#include "timescale.h"
#include "wifi.h"
#include "wifiair.h"
#include "wifipage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QTranslator>
#include <QWindow>
#include <QtTest>

#include <memory>

using WifiAirList = QList<WifiAir::Network>;

namespace {

WIFIPage *page() { return WIFIPage::instWIFIPage; }
QTableWidget *table() { return page()->findChild<QTableWidget *>("tableWidget"); }

bool noticeShown()
{
    return OneLableDialog::instOneLableDialog && OneLableDialog::instOneLableDialog->isVisible();
}

QStringList shownNetworks()
{
    QStringList names;
    for (int row = 0; row < table()->rowCount(); ++row)
        names << table()->item(row, 1)->text();
    return names;
}

bool rowIcon(int row, const QString &icon)
{
    const QImage shown = table()->item(row, 2)->icon().pixmap(42).toImage();
    return !shown.isNull() && shown == QIcon(":/Resource/icon/" + icon).pixmap(42).toImage();
}

int rowOf(const QString &ssid)
{
    return shownNetworks().indexOf(ssid);
}

void tap(int row)
{
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualItemRect(table()->item(row, 1)).center());
}

// Two taps on a row `gapMs` apart, delivered through the window system as
// the touch screen's are: a second press within the double-click time
// reaches the table as a double click.
void doubleTap(int row, int gapMs)
{
    QWindow *window = page()->windowHandle();
    const QPoint at = table()->viewport()->mapTo(page(), table()->visualItemRect(table()->item(row, 1)).center());
    const QPoint global = page()->mapToGlobal(at);
    const int start = QTest::lastMouseTimestamp + 1000;
    const auto send = [&](QEvent::Type type, Qt::MouseButtons held, int ms) {
        qt_handleMouseEvent(window, at, global, held, Qt::LeftButton, type, Qt::NoModifier, start + ms);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, 0);
    send(QEvent::MouseButtonRelease, Qt::NoButton, 60);
    send(QEvent::MouseButtonPress, Qt::LeftButton, gapMs);
    send(QEvent::MouseButtonRelease, Qt::NoButton, gapMs + 60);
    QTest::lastMouseTimestamp = start + gapMs + 1000; // later taps are taps of their own
}

QLabel *pageLabel() { return page()->findChild<QLabel *>("show"); }
QToolButton *pageButton(const char *name) { return page()->findChild<QToolButton *>(name); }

QString openDialogText()
{
    OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog;
    if (!dialog || !dialog->isVisible())
        return QString();
    return dialog->findChild<QLabel *>("titleLabel")->text() + '|' + dialog->findChild<QLabel *>("textLabel")->text();
}

void closeDialog()
{
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->close();
    QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
}

void typePassword(const QString &password)
{
    QTRY_VERIFY(Keyboard::instKeyboard && Keyboard::instKeyboard->isVisible());
    Keyboard::instKeyboard->findChild<QLineEdit *>()->setText(password);
    QTest::mouseClick(Keyboard::instKeyboard->findChild<QPushButton *>("enterKey"), Qt::LeftButton);
    QTRY_VERIFY(!Keyboard::instKeyboard);
}

// The screen as the user sees it: the main window, the page, and whatever
// covers them (on the VNC platform the framebuffer itself).
void saveScreen(const QString &name, QWidget *over = nullptr)
{
    if (over) {
        const QStringList clipped = ScreenCheck::clippedTexts(over);
        QVERIFY2(clipped.isEmpty(), qPrintable(name + ": " + clipped.join(" | ")));
    }
    if (QGuiApplication::platformName() == "vnc") {
        QCoreApplication::processEvents(); // the framebuffer composes a round later
        ScreenCheck::saveScreen(name);
        return;
    }
    QPixmap screen(272, 480);
    QPainter painter(&screen);
    painter.drawPixmap(0, 0, MainWindow::instMainWindow->grab());
    painter.drawPixmap(page()->pos(), page()->grab());
    if (over)
        painter.drawPixmap(over->pos(), over->grab());
    painter.end();
    QLabel shot;
    shot.setPixmap(screen);
    shot.resize(screen.size());
    ScreenCheck::save(&shot, name);
}

} // namespace

class TestWifiPage : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> window;
    Config *config() { return getConfigFile()->configFile(); }

    // A main window started with the saved modes, and the page opened over it.
    void start(bool station, bool accessPoint = false)
    {
        config()->setWifiStationStatus(station);
        config()->setWifiHotspotStatus(accessPoint);
        window = std::make_unique<MainWindow>();
        QTRY_COMPARE(window->wifiState, station ? WIFI_Station : accessPoint ? WIFI_AP : WIFI_None);
    }

    void openWifiPage()
    {
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        openPage(WIFIPage::instWIFIPage);
        QTRY_VERIFY(page()->isVisible());
        if (window->wifiState == WIFI_Station)
            QTRY_VERIFY(table()->rowCount() > 0 && !noticeShown());
    }

    void clickSwitch()
    {
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(page()->findChild<QToolButton *>("switch_2"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        initPrinterIcons();
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>();
        QVERIFY(fx->ok());
        config()->reload();
        MainWindow::setLanPorts(0, 0);
    }
    void cleanupTestCase() { fx.reset(); }
    void init() { WifiAir::reset(); }
    void cleanup()
    {
        if (page())
            delete page();
        if (OneButtonDialog::instOneButtonDialog)
            delete OneButtonDialog::instOneButtonDialog;
        window.reset();
        config()->setWifiStationStatus(false);
        config()->setWifiHotspotStatus(false);
    }

    void startUpResumesTheSavedMode_data()
    {
        QTest::addColumn<bool>("station");
        QTest::addColumn<bool>("accessPoint");
        QTest::addColumn<QStringList>("running");
        QTest::newRow("station") << true << false << QStringList{"udhcpc", "wpa_cli", "wpa_supplicant"};
        QTest::newRow("access point") << false << true << QStringList{"hostapd", "udhcpd"};
        QTest::newRow("neither") << false << false << QStringList{};
    }
    void startUpResumesTheSavedMode()
    {
        QFETCH(bool, station);
        QFETCH(bool, accessPoint);
        QFETCH(QStringList, running);
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        start(station, accessPoint);
        QTRY_COMPARE(WifiAir::running(), running);
        // Only the station's address counts as the printer's address.
        // Two more status polls: the address seen by a tick after the mode started.
        const int polls = fx->count("M105");
        QTRY_VERIFY(fx->count("M105") > polls + 1);
        QCOMPARE(window->getWiFiIpAddress(), station ? QString("127.0.0.1") : QString());
    }

    void listingOrderIconsAndPaging()
    {
        WifiAirList air;
        for (int i = 0; i < 9; ++i)
            air.append({QString("Net-%1").arg(i), -72 - i, "wpa2", "password"});
        air += WifiAirList{{"Faint", -121, "open", ""}, {"Weak", -100, "wep", "key12345"},
                           {"Strong", -60, "mixed", "password"}, {"Café", -97, "wpa", "homehome"},
                           {QString(33, 'L'), -40, "open", ""}}; // longer than an SSID can be
        WifiAir::setNetworks(air);
        WifiAir::saveNetwork("Café", "homehome"); // both tools escape its "é"
        start(true);
        openWifiPage();

        QCOMPARE(shownNetworks(), (QStringList{"Café", "Strong", "Net-0", "Net-1", "Net-2", "Net-3"}));
        QVERIFY(rowIcon(0, "OK.png"));
        QVERIFY(rowIcon(1, "WiFi_04_lock.png"));
        QVERIFY(rowIcon(2, "WiFi_03_lock.png"));
        QCOMPARE(page()->findChild<QLabel *>("show")->text(), QString("1/3"));
        saveScreen("wifi-list");
        QTest::mouseClick(page()->findChild<QToolButton *>("down"), Qt::LeftButton);
        QCOMPARE(shownNetworks(), (QStringList{"Net-4", "Net-5", "Net-6", "Net-7", "Net-8", "Weak"}));
        QVERIFY(rowIcon(5, "WiFi_02_lock.png"));
        QTest::mouseClick(page()->findChild<QToolButton *>("down"), Qt::LeftButton);
        QCOMPARE(shownNetworks(), QStringList{"Faint"});
        QVERIFY(rowIcon(0, "WiFi_01.png"));
        QCOMPARE(page()->findChild<QLabel *>("show")->text(), QString("3/3"));
        QVERIFY(!page()->findChild<QToolButton *>("down")->isEnabled());
    }

    void joiningALockedNetwork()
    {
        const QString password = QStringLiteral("p\"w'; $(touch /tmp/wifi-page-ran) \\");
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}, {"Target", -60, "wpa2", password}});
        WifiAir::saveNetwork("Home", "homehome");
        start(true);
        openWifiPage();

        // One tap on the joined network shows its address and port.
        QTRY_VERIFY(!window->getWiFiIpAddress().isEmpty());
        tap(0);
        QTRY_COMPARE(openDialogText(), QString("SSID has been connected|SSID has been connected\n\n127.0.0.1:8899"));
        closeDialog();

        tap(rowOf("Target"));
        QTRY_VERIFY(Keyboard::instKeyboard);
        saveScreen("wifi-keyboard", Keyboard::instKeyboard);
        typePassword("7-chars");
        QTRY_COMPARE(openDialogText(), QString("Password is too short|Password is\n less than 8 characters"));
        QVERIFY(!WifiAir::read("/standin.log").contains("add_network"));
        closeDialog();

        tap(rowOf("Target"));
        typePassword(password);
        QTRY_VERIFY(noticeShown());
        QCOMPARE(OneLableDialog::instOneLableDialog->findChild<QLabel *>()->text(), QString("Connecting..."));
        saveScreen("wifi-connecting", OneLableDialog::instOneLableDialog);
        QTRY_COMPARE(shownNetworks().value(0), QString("Target"));
        QVERIFY(rowIcon(0, "OK.png"));
        QVERIFY(!rowIcon(1, "OK.png"));
        QVERIFY(!noticeShown());
        QVERIFY(table()->isEnabled());
        saveScreen("wifi-connected");
        QVERIFY(WifiAir::calls("wpa_cli").contains({"wpa_cli", "-i", "wlan0", "set_network", "1", "psk", '"' + password + '"'}));
        QVERIFY(WifiAir::config().contains("psk=\"" + password + "\"\n"));
        QVERIFY(!QFile::exists("/tmp/wifi-page-ran"));
    }

    void wrongPasswordEndsInConnectionFailed()
    {
        WifiAir::setNetworks({{"Target", -60, "wpa2", "rightpass"}, {"Other", -70, "open", ""}});
        start(true);
        openWifiPage();
        tap(rowOf("Target"));
        typePassword("wrongpass");
        QTRY_COMPARE(openDialogText(), QString("Connection failed|This connection failed"));
        QVERIFY(!noticeShown());
        QVERIFY(table()->isEnabled());
        QVERIFY(!WifiAir::config().contains("Target"));
        closeDialog();
        // The list still works: the open network is joined with one tap.
        tap(rowOf("Other"));
        QTRY_COMPARE(shownNetworks().value(0), QString("Other"));
        QTRY_VERIFY(rowIcon(0, "OK.png"));
    }

    void forgettingAmongHomeAndHome5G()
    {
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}, {"Home-5G", -55, "wpa2", "fivefive"}});
        WifiAir::saveNetwork("Home-5G", "fivefive");
        WifiAir::saveNetwork("Home", "homehome");
        start(true);
        openWifiPage();
        QCOMPARE(shownNetworks().value(0), QString("Home-5G")); // the first saved one is joined

        // Two taps on a network that is not joined ask nothing.
        QuestionAnswerer answerer(true);
        tap(1);
        tap(1);
        QTRY_VERIFY(!page()->findChild<QTimer *>("clickTimer")->isActive());
        QCoreApplication::processEvents();
        QVERIFY(answerer.asked.isEmpty());
        QVERIFY(!Keyboard::instKeyboard);

        tap(0);
        tap(0);
        QTRY_COMPARE(answerer.asked, QStringList{"Forget SSID|Forget SSID\nHome-5G"});
        QTRY_VERIFY(!WifiAir::config().contains("Home-5G"));
        QVERIFY(WifiAir::config().contains("ssid=\"Home\""));
        QVERIFY(!shownNetworks().contains("Home-5G"));
        // The switch is still on, so is the station at the next start.
        QVERIFY(config()->getWifiStationStatus());
        QCOMPARE(window->wifiState, WIFI_Station);
    }

    // A finger's double tap forgets the joined network whether the second
    // tap comes quickly (a double click to the window system) or late in the
    // 600 ms window. The network joined on the page left the saved one
    // enabled, so the station falls back to it.
    void doubleTapForgetsAndTheSavedNetworkComesBack_data()
    {
        QTest::addColumn<int>("gapMs");
        QTest::newRow("quick, 230 ms") << 230;
        QTest::newRow("slow, 450 ms") << 450;
    }
    void doubleTapForgetsAndTheSavedNetworkComesBack()
    {
        QFETCH(int, gapMs);
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}, {"Cafe", -60, "open", ""}});
        WifiAir::saveNetwork("Home", "homehome");
        start(true);
        openWifiPage();
        tap(rowOf("Cafe"));
        QTRY_VERIFY(shownNetworks().value(0) == "Cafe" && rowIcon(0, "OK.png"));
        QCOMPARE(WifiAir::joined(), QString("Cafe"));

        QuestionAnswerer answerer(true);
        doubleTap(0, gapMs);
        QTRY_COMPARE(answerer.asked, QStringList{"Forget SSID|Forget SSID\nCafe"});
        QTRY_VERIFY(!WifiAir::config().contains("Cafe"));
        QVERIFY(!shownNetworks().contains("Cafe"));
        QTRY_COMPARE(WifiAir::joined(), QString("Home"));
        QVERIFY(!WifiAir::config().contains("disabled=1"));
        QVERIFY(openDialogText().isEmpty()); // not taken for a single tap
    }

    // Passwords of WPA networks have at least 8 characters; the page asks
    // again for a shorter one.
    void passwordOfEightCharactersIsTheShortest_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("8 characters") << "8chars!!" << true;
        QTest::newRow("7 characters") << "7chars!" << false;
    }
    void passwordOfEightCharactersIsTheShortest()
    {
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        WifiAir::setNetworks({{"Target", -60, "wpa2", password}});
        start(true);
        openWifiPage();
        tap(rowOf("Target"));
        typePassword(password);
        if (accepted) {
            QTRY_VERIFY(shownNetworks().value(0) == "Target" && rowIcon(0, "OK.png"));
            QVERIFY(WifiAir::config().contains("psk=\"" + password + "\""));
        } else {
            QTRY_COMPARE(openDialogText(), QString("Password is too short|Password is\n less than 8 characters"));
            QVERIFY(!WifiAir::read("/standin.log").contains("add_network"));
        }
    }

    // The keyboard types no newline, but whatever hands the page a password
    // with one gets "Connection failed", and nothing reaches the
    // supplicant's configuration.
    void passwordWithANewlineIsRefused()
    {
        WifiAir::setNetworks({{"Target", -60, "wep", "key12345"}});
        start(true);
        openWifiPage();
        const QString saved = WifiAir::config();
        tap(rowOf("Target"));
        QTRY_VERIFY(Keyboard::instKeyboard);
        emit Keyboard::instKeyboard->sendData("key12345\n}\nnetwork={\n\tssid=\"Evil\"\n\tkey_mgmt=NONE");
        delete Keyboard::instKeyboard;
        QTRY_COMPARE(openDialogText(), QString("Connection failed|This connection failed"));
        QVERIFY(!noticeShown());
        QVERIFY(table()->isEnabled());
        QVERIFY(!WifiAir::read("/standin.log").contains("add_network"));
        QCOMPARE(WifiAir::config(), saved);
    }

    // The tools run on the controller's thread: while one hangs, the screen
    // keeps running with the notice up.
    void screenKeepsRunningWhileAToolHangs()
    {
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        start(false);
        openWifiPage();
        WifiAir::hold("wpa_supplicant");
        clickSwitch();
        QTRY_VERIFY(!WifiAir::calls("wpa_supplicant").isEmpty());
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(10);
        QTRY_VERIFY(ticks >= 3);
        QVERIFY(!WifiAir::running().contains("wpa_supplicant")); // still hanging meanwhile
        QVERIFY(noticeShown());
        QCOMPARE(OneLableDialog::instOneLableDialog->findChild<QLabel *>()->text(), QString("Scanning…"));
        WifiAir::release("wpa_supplicant");
        QTRY_VERIFY(table()->rowCount() == 1 && !noticeShown());
        QTRY_VERIFY(rowIcon(0, "OK.png"));
    }

    void switchingFromAccessPointToStationAndBack()
    {
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        config()->setEthernetStatus(true);
        start(false, true);
        QTRY_COMPARE(WifiAir::running(), (QStringList{"hostapd", "udhcpd"}));
        openWifiPage();
        QVERIFY(page()->findChild<QLabel *>("label_2")->isVisible());
        QVERIFY(!table()->isVisible());
        QCOMPARE(page()->findChild<QToolButton *>("back")->x(), 92);
        saveScreen("wifi-off");

        QVERIFY(!pageLabel()->isVisible() && !pageButton("up")->isVisible() && !pageButton("down")->isVisible());
        clickSwitch();
        QTRY_VERIFY(table()->rowCount() == 1 && !noticeShown());
        // One page is still a page: "1/1" between the disabled arrows.
        QVERIFY(pageLabel()->isVisible() && pageButton("up")->isVisible() && pageButton("down")->isVisible());
        QCOMPARE(pageLabel()->text(), QString("1/1"));
        QVERIFY(!pageButton("up")->isEnabled() && !pageButton("down")->isEnabled());
        QVERIFY(config()->getWifiStationStatus());
        QVERIFY(!config()->getWifiHotspotStatus());
        QVERIFY(!config()->getEthernetStatus());
        QCOMPARE(window->wifiState, WIFI_Station);
        QCOMPARE(WifiAir::running(), (QStringList{"udhcpc", "wpa_cli", "wpa_supplicant"}));
        QVERIFY(WifiAir::calls().contains({"killall", "-q", "hostapd"}));
        QVERIFY(WifiAir::calls("wpa_cli").contains({"wpa_cli", "-i", "wlan0", "enable_network", "all"}));
        QTRY_VERIFY(rowIcon(0, "OK.png"));

        clickSwitch();
        QTRY_VERIFY(page()->findChild<QLabel *>("label_2")->isVisible());
        QVERIFY(!pageLabel()->isVisible() && !pageButton("up")->isVisible() && !pageButton("down")->isVisible());
        QVERIFY(!config()->getWifiStationStatus());
        QCOMPARE(window->wifiState, WIFI_None);
        QTRY_VERIFY(WifiAir::running().isEmpty());
        QVERIFY(window->getWiFiIpAddress().isEmpty());
    }

    void screensFitInEveryOfferedLanguage()
    {
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        for (const char *language : {"english", "german", "chinese-cn", "japanese", "french", "spanish"}) {
            QTranslator translator;
            QVERIFY(ScreenCheck::installCatalogue(translator, language));
            start(false);
            window->show(); // the whole screen, as the printer shows it
            openWifiPage();
            const QStringList clipped = ScreenCheck::clippedTexts(page());
            QVERIFY2(clipped.isEmpty(), qPrintable(QString(language) + ": " + clipped.join(" | ")));
            saveScreen(QString("wifi-%1-off").arg(language));
            page()->changeUIForWIFIConnecting();
            saveScreen(QString("wifi-%1-connecting").arg(language), OneLableDialog::instOneLableDialog);
            page()->changeUIForWIFIConnectFailed("Home");
            QTRY_VERIFY(OneButtonDialog::instOneButtonDialog);
            saveScreen(QString("wifi-%1-failed").arg(language), OneButtonDialog::instOneButtonDialog);
            closeDialog();
            page()->receiveData("short");
            QTRY_VERIFY(OneButtonDialog::instOneButtonDialog);
            saveScreen(QString("wifi-%1-short").arg(language), OneButtonDialog::instOneButtonDialog);
            closeDialog();
            clickSwitch();
            QTRY_VERIFY(table()->rowCount() == 1 && rowIcon(0, "OK.png") && !noticeShown());
            const QStringList clippedList = ScreenCheck::clippedTexts(page());
            QVERIFY2(clippedList.isEmpty(), qPrintable(QString(language) + ": " + clippedList.join(" | ")));
            saveScreen(QString("wifi-%1-list").arg(language));
            cleanup();
            QCoreApplication::removeTranslator(&translator);
        }
    }

    // The scan thread never outlives the page, and a join reported while it
    // scans is applied once the list is there.
    void scansAreSafeAgainstClosingAndLateJoins()
    {
        WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}, {"Target", -60, "open", ""}}, 300);
        start(true);
        openPage(WIFIPage::instWIFIPage);
        QTRY_VERIFY(noticeShown());
        QCOMPARE(OneLableDialog::instOneLableDialog->findChild<QLabel *>()->text(), QString("Scanning…"));
        page()->close();
        QTRY_VERIFY(!page());
        QVERIFY(!OneLableDialog::instOneLableDialog);

        openPage(WIFIPage::instWIFIPage);
        QTRY_VERIFY(noticeShown());
        emit window->m_wifi->evt_wificonnect_success("Target");
        QTRY_VERIFY(table()->rowCount() == 2 && !noticeShown());
        QCOMPARE(shownNetworks(), (QStringList{"Target", "Home"}));
        QVERIFY(rowIcon(0, "OK.png"));
        // A network that is not listed marks none.
        emit window->m_wifi->evt_wificonnect_success("Elsewhere");
        QTRY_VERIFY(!rowIcon(0, "OK.png"));
        QVERIFY(!rowIcon(1, "OK.png"));
    }
};

QTEST_MAIN(TestWifiPage)
#include "tst_wifipage.moc"
