// Joining a network, on the Wi-Fi controller's thread: the entry is added and
// selected, then polled between the controller's other jobs until it is
// associated with an address, refused or out of time.
#include "wifi.h"

#include "timescale.h"
#include "wifitext.h"

#include <QDebug>

namespace WIFINAMESPACE {

namespace {
const int kJoinTimeoutMs = 30000; // association and DHCP together
const int kJoinPollMs = 500;

std::chrono::steady_clock::time_point fromNow(int scaledMs)
{
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(scaledMs);
}
} // namespace

void Wifi::join(const WifiInfo &network)
{
    abandonJoin(); // the newer request takes over
    const QString ssid = network.ssid();
    if (!m_stationRunning) {
        report([this, ssid] { emit evt_wificonnect_failed(ssid); });
        return;
    }
    if (network.wifiMgmt() == WIFI_Key_8021x && network.m_identity.isEmpty()) {
        qWarning() << "Wifi::join an 802.1X network needs an identity";
        report([this, ssid] { emit evt_wificonnect_failed(ssid); });
        return;
    }
    // A network joined again (say with a corrected password) replaces the old entry.
    const std::string ssidBytes = ssid.toStdString();
    for (const WifiText::SavedNetwork &old : WifiText::parseNetworkList(wpaCli({QStringLiteral("list_networks")}).output))
        if (old.ssid == ssidBytes)
            wpaCliOk({QStringLiteral("remove_network"), QString::number(old.id)});

    const ProcessRunner::Result added = wpaCli({QStringLiteral("add_network")});
    bool isId = false;
    const int id = added.output.trimmed().toInt(&isId);
    if (!added.ok() || !isId) {
        report([this, ssid] { emit evt_wificonnect_failed(ssid); });
        return;
    }
    m_join = PendingJoin{id, ssid, fromNow(TimeScale::limitMs(kJoinTimeoutMs))};
    // Selecting switches to the network at once; it puts the other saved
    // networks aside only until the outcome is known.
    if (!configure(network, id) || !wpaCliOk({QStringLiteral("select_network"), QString::number(id)})) {
        finishJoin(false);
        return;
    }
    m_nextPoll = std::chrono::steady_clock::now();
}

bool Wifi::configure(const WifiInfo &network, int id)
{
    const QString idText = QString::number(id);
    const auto set = [&](const char *name, const QString &value) {
        return wpaCliOk({QStringLiteral("set_network"), idText, QString::fromLatin1(name), value});
    };
    if (!set("ssid", WifiText::ssidArgument(network.ssid())))
        return false;
    switch (network.wifiMgmt()) {
    case WIFI_Key_NONE:
        if (!set("key_mgmt", QStringLiteral("NONE")))
            return false;
        // A locked network without WPA uses WEP with the password as key.
        return network.m_password.isEmpty() || set("wep_key0", WifiText::quotedArgument(network.m_password));
    case WIFI_Key_WPA_PSK:
    case WIFI_Key_WPA2_PSK:
    case WIFI_Key_MIXED:
        return set("key_mgmt", QStringLiteral("WPA-PSK")) && set("psk", WifiText::quotedArgument(network.m_password));
    case WIFI_Key_8021x:
        return set("key_mgmt", QStringLiteral("WPA-EAP"))
               && set("eap", network.m_eapMothod == EAP_METHOD_TTLS ? QStringLiteral("TTLS") : QStringLiteral("PEAP"))
               && set("identity", WifiText::quotedArgument(network.m_identity))
               && set("password", WifiText::quotedArgument(network.m_password))
               && set("phase2", WifiText::quotedArgument(network.m_eapPhase2 == EAP_PHASE2_GTC
                                                             ? QStringLiteral("auth=GTC")
                                                             : QStringLiteral("auth=MSCHAPV2")));
    }
    return false;
}

void Wifi::pollJoin()
{
    const std::map<std::string, std::string> status = WifiText::parseStatus(wpaCli({QStringLiteral("status")}).output);
    const auto value = [&status](const char *key) {
        const auto found = status.find(key);
        return found == status.end() ? std::string() : found->second;
    };
    if (value("wpa_state") == "COMPLETED" && value("ssid") == m_join->ssid.toStdString() && !value("ip_address").empty()) {
        finishJoin(true);
        return;
    }
    for (const WifiText::SavedNetwork &network :
         WifiText::parseNetworkList(wpaCli({QStringLiteral("list_networks")}).output))
        if (network.id == m_join->id && network.rejected()) {
            finishJoin(false); // the access point refused the credentials
            return;
        }
    if (std::chrono::steady_clock::now() >= m_join->deadline) {
        finishJoin(false);
        return;
    }
    m_nextPoll = std::min(m_join->deadline, fromNow(TimeScale::pollMs(kJoinPollMs)));
}

// The other saved networks come back either way, so that the supplicant
// falls back to them later (after a restart, or when this one is forgotten);
// a failed entry goes.
void Wifi::finishJoin(bool joined)
{
    const PendingJoin done = *m_join;
    m_join.reset();
    if (!joined)
        wpaCliOk({QStringLiteral("remove_network"), QString::number(done.id)});
    wpaCliOk({QStringLiteral("enable_network"), QStringLiteral("all")});
    wpaCliOk({QStringLiteral("save_config")});
    const QString ssid = done.ssid;
    if (joined)
        report([this, ssid] { emit evt_wificonnect_success(ssid); });
    else
        report([this, ssid] { emit evt_wificonnect_failed(ssid); });
}

// A join given up for a newer one leaves no entry behind; the newer one
// reports.
void Wifi::abandonJoin()
{
    if (!m_join)
        return;
    wpaCliOk({QStringLiteral("remove_network"), QString::number(m_join->id)});
    m_join.reset();
}

} // namespace WIFINAMESPACE
