#include "netinterface.h"
#include "networkwatcher.h"
#include "sandboxroot.h"
#include "timescale.h"

#include <QtTest>

namespace {

const int kWaitMs = kTryWaitMs;

// Logs its call like every stand-in and answers only for the addresses
// listed in <root>/reachable.
const QByteArray kPingStandIn =
    "#!/bin/sh\n"
    "root=$(cd \"$(dirname \"$0\")/..\" && pwd)\n"
    "{ printf 'ping'; for a in \"$@\"; do printf '\\t%s' \"$a\"; done; printf '\\n'; } >>\"$root/standin.log\"\n"
    "for a in \"$@\"; do last=$a; done\n"
    "grep -qx \"$last\" \"$root/reachable\" 2>/dev/null\n";

QStringList pingedAddresses(const QStringList &log)
{
    QStringList addresses;
    for (const QString &line : log)
        addresses << line.section('\t', -1);
    return addresses;
}

} // namespace

class TestNetworkWatcher : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TimeScale::setFactor(0.01); }
    void cleanupTestCase() { TimeScale::setFactor(1); }

    void interfaceQueries()
    {
        QCOMPARE(NetInterface::ipv4Address("lo"), std::string("127.0.0.1"));
        QVERIFY(NetInterface::ipv4Address("nosuchif0").empty());

        std::string mac = "stale";
        QCOMPARE(NetInterface::getLocalMac("lo", mac), 0);
        QCOMPARE(mac, std::string("00:00:00:00:00:00"));
        mac = "stale";
        QCOMPARE(NetInterface::getLocalMac("nosuchif0", mac), -1);
        QVERIFY(mac.empty());
        QCOMPARE(NetInterface::getLocalMac("an-interface-name-too-long", mac), -1);
    }

    // In a sandbox the interfaces are the stand-in tools' files, never the host's.
    void sandboxInterfacesComeFromTheRoot()
    {
        SandboxRoot root;
        root.write("/run/standin-net/wlan0", "up=1\ninet=192.168.1.57\nnetmask=255.255.255.0\n");
        root.write("/sys/class/net/wlan0/address", "0a:1b:2c:3d:4e:5f\n");
        QCOMPARE(NetInterface::ipv4Address("wlan0"), std::string("192.168.1.57"));
        std::string mac;
        QCOMPARE(NetInterface::getLocalMac("wlan0", mac), 0);
        QCOMPARE(mac, std::string("0A:1B:2C:3D:4E:5F"));

        root.write("/run/standin-net/wlan0", "up=0\ninet=\nnetmask=\n");
        QVERIFY(NetInterface::ipv4Address("wlan0").empty());
        QVERIFY(NetInterface::ipv4Address("lo").empty());
        QCOMPARE(NetInterface::getLocalMac("lo", mac), -1);
        root.write("/sys/class/net/wlan0/address", "0a:1b:2c\n");
        QCOMPARE(NetInterface::getLocalMac("wlan0", mac), -1);
    }

    void reportsReachabilityChanges()
    {
        SandboxRoot root;
        QCOMPARE(NetInterface::wifiInterfaceName(), std::string("wlan0"));
        root.write("/run/standin-net/wlan0", "up=1\ninet=127.0.0.7\nnetmask=255.0.0.0\n");
        root.write("/sbin-standin/ping", kPingStandIn, true);
        root.write("/reachable", "1.1.1.1\n");

        NetworkWatcher watcher;
        QList<bool> changes;
        connect(&watcher, &NetworkWatcher::connectionChanged, this,
                [&changes](bool connected) { changes << connected; }, Qt::QueuedConnection);
        watcher.start();

        QTRY_COMPARE_WITH_TIMEOUT(changes, QList<bool>{true}, kWaitMs);
        QVERIFY(watcher.isConnected());
        const QStringList firstRound = root.logLines().mid(0, 3);
        QCOMPARE(firstRound.value(0), QString("ping\t-c\t1\t-W\t2\t8.8.8.8"));
        QCOMPARE(pingedAddresses(firstRound), (QStringList{"8.8.8.8", "114.114.114.114", "1.1.1.1"}));
        // The first server that answers ends the round.
        QVERIFY(!root.read("/standin.log").contains("223.5.5.5"));

        root.write("/reachable", "");
        QTRY_COMPARE_WITH_TIMEOUT(changes, (QList<bool>{true, false}), kWaitMs);
        QVERIFY(!watcher.isConnected());
        // A failed round has asked all four servers in turn.
        QVERIFY(pingedAddresses(root.logLines()).join(',').contains("8.8.8.8,114.114.114.114,1.1.1.1,223.5.5.5"));

        // However long the internet stays away, the watcher pings at its own
        // pace, so that its return is seen within seconds. Eight failed
        // rounds at the fast scale make the outage long (a wait doubled
        // after each would be at five minutes); the last failed round and
        // the return run at a slower scale, where five minutes are one and
        // the watcher's pace is still about a second.
        const auto pings = [&root](const QString &server) {
            return pingedAddresses(root.logLines()).count(server);
        };
        const int outageStart = pings("223.5.5.5");
        QTRY_VERIFY_WITH_TIMEOUT(pings("223.5.5.5") >= outageStart + 8, 60000);
        TimeScale::setFactor(0.2);
        const int failedRounds = pings("223.5.5.5");
        // A round that ends now, at the slower scale, fails: it has asked
        // its last server.
        QTRY_VERIFY_WITH_TIMEOUT(pings("223.5.5.5") > failedRounds, kWaitMs);
        root.write("/reachable", "8.8.8.8\n");
        QTRY_COMPARE_WITH_TIMEOUT(changes, (QList<bool>{true, false, true}), 20000);
        TimeScale::setFactor(0.01);
        watcher.stop();
    }
};

QTEST_GUILESS_MAIN(TestNetworkWatcher)
#include "tst_networkwatcher.moc"
