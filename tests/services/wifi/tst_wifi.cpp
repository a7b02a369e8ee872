#include "simfixture.h"
#include "timescale.h"
#include "wifi.h"
#include "wifiair.h"
#include "wifitext.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace WIFINAMESPACE;

namespace {

const QByteArray kHeader = "wlan0     Scan completed :\n";

QByteArray cell(const QByteArray &ssidText, int dBm, const char *security)
{
    QByteArray text = "          Cell 01 - Address: 02:00:00:00:00:01\n"
                      "                    Quality=40/70  Signal level=" + QByteArray::number(dBm) + " dBm  \n";
    text += QByteArray("                    Encryption key:") + (qstrcmp(security, "open") ? "on\n" : "off\n");
    text += QByteArray("                    ESSID:\"") + ssidText + "\"\n";
    const QByteArray suite = qstrcmp(security, "8021x") ? "PSK" : "802.1x";
    if (!qstrcmp(security, "wpa2") || !qstrcmp(security, "mixed") || !qstrcmp(security, "8021x"))
        text += "                    IE: IEEE 802.11i/WPA2 Version 1\n"
                "                        Authentication Suites (1) : " + suite + "\n";
    if (!qstrcmp(security, "wpa") || !qstrcmp(security, "mixed"))
        text += "                    IE: WPA Version 1\n"
                "                        Authentication Suites (1) : PSK\n";
    return text;
}

QString summary(const std::list<wifi_ap_t> &scan)
{
    QStringList parts;
    for (const wifi_ap_t &ap : scan)
        parts << QStringLiteral("%1|%2|%3").arg(QString::fromStdString(ap.ssid)).arg(ap.quality).arg(QString::fromStdString(ap.auth));
    return parts.join(", ");
}

// The calls to wpa_cli after its "-i wlan0".
QStringList wpaCommands()
{
    QStringList commands;
    for (const QStringList &call : WifiAir::calls("wpa_cli"))
        commands << call.mid(3).join(' ');
    return commands;
}

} // namespace

// The controller against the stand-in tools of a sandbox root.
class TestWifi : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<Wifi> wifi;

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>();
        QVERIFY(fx->ok());
    }
    void cleanupTestCase() { fx.reset(); }
    void init()
    {
        WifiAir::reset();
        wifi = std::make_unique<Wifi>();
    }
    void cleanup() { wifi.reset(); }

    void scanRepliesAreRead_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("networks");
        QTest::newRow("security kinds, strongest first, hidden left out, strongest of a repeated name")
            << kHeader + cell("Open", -70, "open") + cell("Both", -50, "mixed") + cell("Two", -60, "wpa2")
                   + cell("One", -80, "wpa") + cell("Corp", -65, "8021x") + cell("Old", -90, "wep")
                   + cell("", -30, "wpa2") + cell("Open", -45, "open")
            << "Open|-45|none, Both|-50|mixed, Two|-60|WPA2, Corp|-65|802.1X, One|-80|WPA, Old|-90|WEP";
        QTest::newRow("escaped UTF-8 and quotes in the name")
            << kHeader + cell("Caf\\xC3\\xA9 \"Nord\" $(x);", -40, "open") << "Café \"Nord\" $(x);|-40|none";
        QTest::newRow("level in percent") << kHeader + QByteArray(cell("P", -1, "open")).replace("-1 dBm", "80/100")
                                          << "P|-60|none";
        // 802.11 names are at most 32 bytes: the supplicant refuses a longer one.
        QTest::newRow("names of 32 bytes listed, longer ones left out")
            << kHeader + cell(QByteArray(32, 'a'), -40, "open") + cell(QByteArray(33, 'b'), -45, "open")
                   + cell(QByteArray("\\xC3\\xA9").repeated(16), -50, "open")
                   + cell(QByteArray("\\xC3\\xA9").repeated(16) + "x", -55, "open")
                   + cell(QByteArray("\\xE2\\x82\\xAC").repeated(11), -60, "open")
            << QString(32, 'a') + "|-40|none, " + QString(16, QChar(0xe9)) + "|-50|none";
        QTest::newRow("nothing in reach") << QByteArray("wlan0     No scan results\n") << "";
    }
    void scanRepliesAreRead()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, networks);
        QCOMPARE(summary(WifiText::parseScan(reply)), networks);
    }

    void savedNetworksAreRead()
    {
        const auto saved = WifiText::parseNetworkList("network id / ssid / bssid / flags\n"
                                                      "0\tCaf\\xc3\\xa9 \\\"q\\\"\\\\\tany\t[CURRENT]\n"
                                                      "3\tHome\tany\t[DISABLED][TEMP-DISABLED]\n");
        QCOMPARE(int(saved.size()), 2);
        QCOMPARE(QString::fromStdString(saved[0].ssid), QString("Café \"q\"\\"));
        QVERIFY(saved[0].current() && !saved[0].rejected());
        QCOMPARE(saved[1].id, 3);
        QVERIFY(!saved[1].current() && saved[1].rejected());
    }

    // Station and access point start and end with their command lines, in
    // the order asked, and each mode ends the other; killall is always the
    // sandbox's stand-in. A query waits for the work asked before it.
    void modesUseTheirCommandLines()
    {
        wifi->wifiApStart();
        QCOMPARE(wifi->getCurConnect(), QString());
        QCOMPARE(WifiAir::running(), (QStringList{"hostapd", "udhcpd"}));
        QVERIFY(WifiAir::calls().contains({"ifconfig", "wlan0", "192.168.4.1", "netmask", "255.255.255.0", "up"}));
        QVERIFY(WifiAir::calls().contains({"hostapd", "-B", "/opt/wifi/rtl_hostapd_2G.conf"}));
        QVERIFY(WifiAir::calls().contains({"udhcpd", "/etc/udhcpd.conf"}));

        WifiAir::write("/standin.log", "");
        wifi->wifiStaStart();
        std::list<wifi_ap_t> scan;
        QCOMPARE(wifi->scan(scan), 0);
        const QList<QStringList> start = {
            {"killall", "-q", "hostapd"}, {"killall", "-q", "udhcpd"}, {"killall", "-q", "wpa_cli"},
            {"killall", "-q", "wpa_supplicant"}, {"killall", "-q", "udhcpc"}, {"ifconfig", "wlan0", "0.0.0.0"}, {"ifconfig", "wlan0", "down"},
            {"ifconfig", "wlan0", "up"}, {"wpa_supplicant", "-B", "-i", "wlan0", "-c", "/opt/wifi/wpa_supplicant.conf"},
            {"wpa_cli", "-i", "wlan0", "-a", "/bin/wifi_reconnect", "-B"}};
        const QStringList scanCall{"iwlist", "wlan0", "scan"};
        QCOMPARE(WifiAir::calls(), start + QList<QStringList>{scanCall});
        QCOMPARE(WifiAir::running(), (QStringList{"wpa_cli", "wpa_supplicant"}));
        wifi->wifiStaStart(); // running: nothing more
        QCOMPARE(wifi->scan(scan), 0);
        QCOMPARE(WifiAir::calls().mid(start.size()), (QList<QStringList>{scanCall, scanCall}));

        WifiAir::write("/standin.log", "");
        wifi->wifiStaStop();
        QCOMPARE(wifi->scan(scan), -1); // the interface is down
        QCOMPARE(WifiAir::calls(), start.mid(2, 5) + QList<QStringList>{scanCall});
        QVERIFY(WifiAir::running().isEmpty());
        QVERIFY(WifiAir::read("/run/standin-net/wlan0").startsWith("up=0\ninet=\n"));
    }

    // Names and passwords reach wpa_cli as single arguments (the name in
    // hex) and run nothing; the saved configuration holds them.
    void hostileNetworkIsJoinedAndRunsNothing()
    {
        const QString ssid = QString::fromUtf8("Café \"x\";$(touch /tmp/s-ran)`i`");
        const QString password = QStringLiteral("p\"w'; $(touch /tmp/pw-ran) \\");
        WifiAir::setNetworks({{ssid, -40, "wpa2", password}, {"Home", -60, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        wifi->wifiStaStart();
        QCOMPARE(wifi->getCurConnect(), QString("Home"));

        std::list<wifi_ap_t> scan;
        QCOMPARE(wifi->scan(scan), 0);
        QCOMPARE(QString::fromStdString(scan.front().ssid), ssid);

        // Outcomes arrive on the controller's own thread, where the spy is.
        QSignalSpy joined(wifi.get(), &Wifi::evt_wificonnect_success);
        bool onOwnThread = false;
        connect(wifi.get(), &Wifi::evt_wificonnect_success, this,
                [&] { onOwnThread = QThread::currentThread() == wifi->thread(); }, Qt::DirectConnection);
        WifiInfo network(ssid, WifiLock_Yes, WifiLevel_Strong, WIFI_Key_WPA2_PSK);
        network.setPassword(password);
        WifiAir::write("/standin.log", "");
        QCOMPARE(wifi->wifiConnect(network), 0);
        QTRY_COMPARE(joined.count(), 1);
        QCOMPARE(joined.at(0).at(0).toString(), ssid);
        QVERIFY(onOwnThread);
        const QString hex = QString::fromLatin1(ssid.toUtf8().toHex());
        QCOMPARE(wpaCommands().mid(0, 6), (QStringList{"list_networks", "add_network", "set_network 1 ssid " + hex,
                                                         "set_network 1 key_mgmt WPA-PSK",
                                                         "set_network 1 psk \"" + password + "\"",
                                                         "select_network 1"}));
        QCOMPARE(wpaCommands().mid(wpaCommands().size() - 2), (QStringList{"enable_network all", "save_config"}));
        QVERIFY(WifiAir::calls("wpa_cli").contains({"wpa_cli", "-i", "wlan0", "set_network", "1", "psk", '"' + password + '"'}));
        QVERIFY(!QFile::exists("/tmp/s-ran") && !QFile::exists("/tmp/pw-ran"));
        QCOMPARE(wifi->getCurConnect(), ssid);
        QVERIFY(WifiAir::config().contains("\tssid=" + hex + "\n\tkey_mgmt=WPA-PSK\n\tpsk=\"" + password + "\"\n"));
    }

    // A wrong password, an 802.1X network (no identity) and a passphrase
    // the supplicant refuses all fail, and nothing of them stays saved.
    void failedJoinsLeaveNothingSaved_data()
    {
        QTest::addColumn<QString>("security");
        QTest::addColumn<int>("mgmt");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << "wpa2" << int(WIFI_Key_WPA2_PSK) << "wrongpass";
        QTest::newRow("802.1X") << "8021x" << int(WIFI_Key_8021x) << "secret12";
        QTest::newRow("passphrase too long") << "wpa" << int(WIFI_Key_WPA_PSK) << QString(64, 'a');
    }
    void failedJoinsLeaveNothingSaved()
    {
        QFETCH(QString, security);
        QFETCH(int, mgmt);
        QFETCH(QString, password);
        WifiAir::setNetworks({{"Target", -40, security, "secret12"}, {"Home", -60, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        const QString saved = WifiAir::config();
        wifi->wifiStaStart();
        QCOMPARE(wifi->getCurConnect(), QString("Home"));
        QSignalSpy failed(wifi.get(), &Wifi::evt_wificonnect_failed);
        QSignalSpy joined(wifi.get(), &Wifi::evt_wificonnect_success);
        WifiInfo network("Target", WifiLock_Yes, WifiLevel_Strong, WI_FI_key_mgmt(mgmt));
        network.setPassword(password);
        wifi->wifiConnect(network);
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), QString("Target"));
        QCOMPARE(joined.count(), 0);
        QCOMPARE(WifiAir::config(), saved);
        // The network the attempt put aside is joined again.
        QTRY_COMPARE(wifi->getCurConnect(), QString("Home"));
    }

    void forgettingRemovesExactlyThatSsid()
    {
        WifiAir::setNetworks({{"Home", -40, "wpa2", "homehome"}, {"Home-5G", -50, "wpa2", "fivefive"}});
        WifiAir::saveNetwork("Home-5G", "fivefive");
        WifiAir::saveNetwork("Home", "homehome");
        wifi->wifiStaStart();
        wifi->removeSsid("Home");
        QCOMPARE(wifi->getCurConnect(), QString("Home-5G"));
        QVERIFY(WifiAir::config().contains("ssid=\"Home-5G\""));
        QVERIFY(!WifiAir::config().contains("ssid=\"Home\""));
    }

    // A join switches to the network at once; once it is joined the other
    // saved networks are enabled again, in the supplicant and in its saved
    // configuration, so it falls back to them when the joined one is
    // forgotten or after a restart.
    void joiningLeavesTheOtherNetworksEnabled()
    {
        WifiAir::setNetworks({{"Target", -40, "wpa2", "targetpw"}, {"Home", -60, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        wifi->wifiStaStart();
        QCOMPARE(wifi->getCurConnect(), QString("Home"));
        QSignalSpy joined(wifi.get(), &Wifi::evt_wificonnect_success);
        WifiInfo network("Target", WifiLock_Yes, WifiLevel_Strong, WIFI_Key_WPA2_PSK);
        network.setPassword("targetpw");
        QCOMPARE(wifi->wifiConnect(network), 0);
        QTRY_COMPARE(joined.count(), 1);
        QCOMPARE(wifi->getCurConnect(), QString("Target"));
        QVERIFY(WifiAir::config().contains("psk=\"targetpw\""));
        QVERIFY(!WifiAir::config().contains("disabled=1"));

        wifi->removeSsid("Target");
        QCOMPARE(wifi->getCurConnect(), QString("Home"));
    }

    // What the tools cannot take never reaches them: a control character in
    // a password, key or identity would end its line in the configuration
    // file (a WEP key with a newline wrote a network block of its own), and
    // the supplicant takes no name longer than 32 bytes (of UTF-8, not
    // characters).
    void networksTheToolsCannotTakeAreRefused_data()
    {
        QTest::addColumn<QString>("ssid");
        QTest::addColumn<int>("mgmt");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("identity");
        QTest::newRow("WEP key with a newline")
            << "Target" << int(WIFI_Key_NONE) << "key12\n}\nnetwork={\n\tssid=\"Evil\"\n\tkey_mgmt=NONE" << "";
        QTest::newRow("passphrase with a carriage return") << "Target" << int(WIFI_Key_WPA2_PSK) << "pass\rword" << "";
        QTest::newRow("identity with a newline") << "Target" << int(WIFI_Key_8021x) << "secret12" << "me\nyou";
        QTest::newRow("SSID of 33 bytes") << QString(33, 's') << int(WIFI_Key_WPA2_PSK) << "password" << "";
        QTest::newRow("SSID of 33 bytes in 11 characters")
            << QString(11, QChar(0x20ac)) << int(WIFI_Key_WPA2_PSK) << "password" << "";
    }
    void networksTheToolsCannotTakeAreRefused()
    {
        QFETCH(QString, ssid);
        QFETCH(int, mgmt);
        QFETCH(QString, password);
        QFETCH(QString, identity);
        WifiAir::setNetworks({{"Target", -40, "wep", "key12"}, {"Home", -60, "wpa2", "homehome"}});
        WifiAir::saveNetwork("Home", "homehome");
        wifi->wifiStaStart();
        QCOMPARE(wifi->getCurConnect(), QString("Home"));
        const QString saved = WifiAir::config();
        WifiAir::write("/standin.log", "");

        QSignalSpy failed(wifi.get(), &Wifi::evt_wificonnect_failed);
        WifiInfo network(ssid, WifiLock_Yes, WifiLevel_Strong, WI_FI_key_mgmt(mgmt));
        network.setPassword(password);
        network.m_identity = identity;
        QCOMPARE(wifi->wifiConnect(network), -1);
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), ssid);
        QCOMPARE(wifi->getCurConnect(), QString("Home"));
        QCOMPARE(wpaCommands(), QStringList{"list_networks"}); // the query above, nothing else
        QCOMPARE(WifiAir::config(), saved);
    }
};

QTEST_GUILESS_MAIN(TestWifi)
#include "tst_wifi.moc"
