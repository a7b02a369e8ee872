#include "wifi.h"

#include "netinterface.h"
#include "timescale.h"
#include "wifitext.h"

#include <QDebug>

#include <chrono>

namespace WIFINAMESPACE {

namespace {

const char *const kSupplicantConfig = "/opt/wifi/wpa_supplicant.conf";
const char *const kActionScript = "/bin/wifi_reconnect";
const char *const kHostapdConfig = "/opt/wifi/rtl_hostapd_2G.conf";
const char *const kDhcpServerConfig = "/etc/udhcpd.conf";
const char *const kAccessPointAddress = "192.168.4.1";
const char *const kAccessPointNetmask = "255.255.255.0";

const int kScanTimeoutMs = 20000;
const int kJoinTimeoutMs = 30000; // association and DHCP together
const int kJoinPollMs = 500;

QString iface()
{
    return QString::fromStdString(NetInterface::wifiInterfaceName());
}

} // namespace

Wifi::Wifi(QObject *parent)
    : QObject(parent)
{
}

Wifi::~Wifi()
{
    stopMonitor();
}

ProcessRunner::Result Wifi::tool(const QString &name, const QStringList &args, int timeoutMs)
{
    std::lock_guard<std::mutex> lock(m_toolMutex);
    return ProcessRunner::run(name, args, timeoutMs);
}

ProcessRunner::Result Wifi::wpaCli(const QStringList &command)
{
    return tool(QStringLiteral("wpa_cli"), QStringList{QStringLiteral("-i"), iface()} + command);
}

bool Wifi::wpaCliOk(const QStringList &command)
{
    const ProcessRunner::Result result = wpaCli(command);
    return result.ok() && result.output.trimmed() == "OK";
}

int Wifi::wifiStaStart()
{
    if (m_stationRunning.load())
        return 0;
    // Whatever an earlier mode or run left behind goes first.
    endAccessPoint();
    endStation();
    tool(QStringLiteral("ifconfig"), {iface(), QStringLiteral("up")});
    const ProcessRunner::Result supplicant = tool(
        QStringLiteral("wpa_supplicant"),
        {QStringLiteral("-B"), QStringLiteral("-i"), iface(), QStringLiteral("-c"), QString::fromLatin1(kSupplicantConfig)});
    if (!supplicant.ok()) {
        qWarning() << "Wifi::wifiStaStart wpa_supplicant did not start";
        return -1;
    }
    tool(QStringLiteral("wpa_cli"), {QStringLiteral("-i"), iface(), QStringLiteral("-a"),
                                     QString::fromLatin1(kActionScript), QStringLiteral("-B")});
    {
        std::lock_guard<std::mutex> lock(m_monitorMutex);
        m_monitorStop = false;
        m_request.reset();
    }
    m_monitor = std::thread([this] { monitor(); });
    m_stationRunning.store(true);
    return 0;
}

int Wifi::wifiStaStop()
{
    stopMonitor();
    endStation();
    m_stationRunning.store(false);
    return 0;
}

// Ends a program by name; quiet, as it need not be running.
void Wifi::end(const char *program)
{
    tool(QStringLiteral("killall"), {QStringLiteral("-q"), QString::fromLatin1(program)});
}

void Wifi::endAccessPoint()
{
    end("hostapd");
    end("udhcpd");
}

// Ends the station's programs and leaves the interface down without an address.
void Wifi::endStation()
{
    for (const char *program : {"wpa_cli", "wpa_supplicant", "udhcpc"})
        end(program);
    tool(QStringLiteral("ifconfig"), {iface(), QStringLiteral("0.0.0.0")});
    tool(QStringLiteral("ifconfig"), {iface(), QStringLiteral("down")});
}

int Wifi::wifiApStart()
{
    wifiStaStop();
    endAccessPoint();
    tool(QStringLiteral("ifconfig"), {iface(), QString::fromLatin1(kAccessPointAddress), QStringLiteral("netmask"),
                                      QString::fromLatin1(kAccessPointNetmask), QStringLiteral("up")});
    if (!tool(QStringLiteral("hostapd"), {QStringLiteral("-B"), QString::fromLatin1(kHostapdConfig)}).ok()) {
        qWarning() << "Wifi::wifiApStart hostapd did not start";
        return -1;
    }
    if (!tool(QStringLiteral("udhcpd"), {QString::fromLatin1(kDhcpServerConfig)}).ok()) {
        qWarning() << "Wifi::wifiApStart udhcpd did not start";
        return -1;
    }
    return 0;
}

int Wifi::enableAllNetworks()
{
    return wpaCliOk({QStringLiteral("enable_network"), QStringLiteral("all")}) ? 0 : -1;
}

int Wifi::scan(std::list<wifi_ap_t> &list)
{
    list.clear();
    const ProcessRunner::Result result = tool(QStringLiteral("iwlist"), {iface(), QStringLiteral("scan")}, kScanTimeoutMs);
    if (!result.ok()) {
        qWarning() << "Wifi::scan iwlist failed";
        return -1;
    }
    list = WifiText::parseScan(result.output);
    return 0;
}

QString Wifi::getCurConnect()
{
    const ProcessRunner::Result result = wpaCli({QStringLiteral("list_networks")});
    if (!result.ok())
        return QString();
    for (const WifiText::SavedNetwork &network : WifiText::parseNetworkList(result.output))
        if (network.current())
            return QString::fromStdString(network.ssid);
    return QString();
}

int Wifi::removeSsid(QString ssid)
{
    const ProcessRunner::Result result = wpaCli({QStringLiteral("list_networks")});
    if (!result.ok())
        return -1;
    const std::string wanted = ssid.toStdString();
    for (const WifiText::SavedNetwork &network : WifiText::parseNetworkList(result.output)) {
        if (network.ssid != wanted)
            continue;
        wpaCliOk({QStringLiteral("disable_network"), QString::number(network.id)});
        wpaCliOk({QStringLiteral("remove_network"), QString::number(network.id)});
    }
    return wpaCliOk({QStringLiteral("save_config")}) ? 0 : -1;
}

int Wifi::wifiConnect(WifiInfo &info)
{
    if (!m_stationRunning.load()) {
        const QString ssid = info.ssid();
        QMetaObject::invokeMethod(this, [this, ssid] { emit evt_wificonnect_failed(ssid); }, Qt::QueuedConnection);
        return -1;
    }
    {
        std::lock_guard<std::mutex> lock(m_monitorMutex);
        m_request = info; // a newer request replaces one not yet taken up
    }
    m_monitorWake.notify_all();
    return 0;
}

// ---- the monitor thread ---------------------------------------------------

void Wifi::stopMonitor()
{
    {
        std::lock_guard<std::mutex> lock(m_monitorMutex);
        m_monitorStop = true;
    }
    m_monitorWake.notify_all();
    if (m_monitor.joinable())
        m_monitor.join();
}

bool Wifi::monitorInterrupted()
{
    std::lock_guard<std::mutex> lock(m_monitorMutex);
    return m_monitorStop || m_request.has_value();
}

void Wifi::monitor()
{
    for (;;) {
        WifiInfo network;
        {
            std::unique_lock<std::mutex> lock(m_monitorMutex);
            m_monitorWake.wait(lock, [this] { return m_monitorStop || m_request.has_value(); });
            if (m_monitorStop)
                return;
            network = *m_request;
            m_request.reset();
        }
        join(network);
    }
}

void Wifi::join(const WifiInfo &network)
{
    const QString ssid = network.ssid();
    const std::string ssidBytes = ssid.toStdString();
    if (network.wifiMgmt() == WIFI_Key_8021x && network.m_identity.isEmpty()) {
        qWarning() << "Wifi::join an 802.1X network needs an identity";
        emit evt_wificonnect_failed(ssid);
        return;
    }
    // A network joined again (say with a corrected password) replaces the old entry.
    const ProcessRunner::Result saved = wpaCli({QStringLiteral("list_networks")});
    for (const WifiText::SavedNetwork &old : WifiText::parseNetworkList(saved.output))
        if (old.ssid == ssidBytes)
            wpaCliOk({QStringLiteral("remove_network"), QString::number(old.id)});

    const ProcessRunner::Result added = wpaCli({QStringLiteral("add_network")});
    bool isId = false;
    const int id = added.output.trimmed().toInt(&isId);
    if (!added.ok() || !isId) {
        emit evt_wificonnect_failed(ssid);
        return;
    }
    const QString idText = QString::number(id);
    const bool joined = configure(network, id) && wpaCliOk({QStringLiteral("select_network"), idText})
                        && wpaCliOk({QStringLiteral("save_config")}) && awaitJoin(id, ssidBytes);
    if (joined) {
        emit evt_wificonnect_success(ssid);
        return;
    }
    if (monitorInterrupted())
        return; // stopped, or a newer request takes over
    // Nothing of a failed attempt stays saved, and the networks that the
    // selection put aside may be joined again.
    wpaCliOk({QStringLiteral("remove_network"), idText});
    wpaCliOk({QStringLiteral("enable_network"), QStringLiteral("all")});
    wpaCliOk({QStringLiteral("save_config")});
    emit evt_wificonnect_failed(ssid);
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

bool Wifi::awaitJoin(int id, const std::string &ssid)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeScale::ms(kJoinTimeoutMs));
    for (;;) {
        const std::map<std::string, std::string> status = WifiText::parseStatus(wpaCli({QStringLiteral("status")}).output);
        const auto value = [&status](const char *key) {
            const auto found = status.find(key);
            return found == status.end() ? std::string() : found->second;
        };
        if (value("wpa_state") == "COMPLETED" && value("ssid") == ssid && !value("ip_address").empty())
            return true;
        for (const WifiText::SavedNetwork &network :
             WifiText::parseNetworkList(wpaCli({QStringLiteral("list_networks")}).output))
            if (network.id == id && network.rejected())
                return false; // the access point refused the credentials
        std::unique_lock<std::mutex> lock(m_monitorMutex);
        if (m_monitorWake.wait_until(lock, std::min(deadline, std::chrono::steady_clock::now()
                                                                  + std::chrono::milliseconds(TimeScale::ms(kJoinPollMs))),
                                     [this] { return m_monitorStop || m_request.has_value(); }))
            return false;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

} // namespace WIFINAMESPACE
