#include "wifilist.h"

namespace WifiList {

using namespace WIFINAMESPACE;

namespace {
const char *const kConnected = "connected";
}

WifiSignalLevel levelFor(int dBm)
{
    if (dBm < -120)
        return WifiLevel_None;
    if (dBm <= -96)
        return WifiLevel_Point;
    if (dBm <= -71)
        return WifiLevel_Medium;
    return WifiLevel_Strong;
}

WI_FI_key_mgmt keyMgmtFor(const std::string &auth)
{
    if (auth == "WPA" || auth == "PSK")
        return WIFI_Key_WPA_PSK;
    if (auth == "WPA2")
        return WIFI_Key_WPA2_PSK;
    if (auth == "mixed")
        return WIFI_Key_MIXED;
    if (auth == "802.1X")
        return WIFI_Key_8021x;
    return WIFI_Key_NONE;
}

QList<WifiInfo> fromScan(const std::list<wifi_ap_t> &scan, const QString &connectedSsid)
{
    QList<WifiInfo> networks;
    for (const wifi_ap_t &ap : scan) {
        const WifiLockFlag lock = ap.auth == "none" ? WifiLock_None : WifiLock_Yes;
        networks.append(WifiInfo(QString::fromStdString(ap.ssid), lock, levelFor(ap.quality), keyMgmtFor(ap.auth)));
    }
    if (!connectedSsid.isEmpty())
        markConnected(networks, connectedSsid);
    return networks;
}

void markConnected(QList<WifiInfo> &networks, const QString &ssid)
{
    int found = -1;
    for (int i = 0; i < networks.size(); ++i) {
        networks[i].setConnect(QString());
        if (found < 0 && networks[i].ssid() == ssid)
            found = i;
    }
    if (found < 0)
        return;
    networks[found].setConnect(QString::fromLatin1(kConnected));
    networks.move(found, 0);
}

QString iconFor(const WifiInfo &network)
{
    if (network.connect() == QLatin1String(kConnected))
        return QStringLiteral(":/Resource/icon/OK.png");
    return QStringLiteral(":/Resource/icon/WiFi_0%1%2.png")
        .arg(int(network.signalLevel()) + 1)
        .arg(network.locked() == WifiLock_Yes ? QStringLiteral("_lock") : QString());
}

} // namespace WifiList
