#include "wifi.h"

#include "netinterface.h"
#include "wifitext.h"

#include <QDebug>
#include <QMetaObject>

#include <future>
#include <memory>

namespace WIFINAMESPACE {

namespace {

const char *const kSupplicantConfig = "/opt/wifi/wpa_supplicant.conf";
const char *const kActionScript = "/bin/wifi_reconnect";
const char *const kHostapdConfig = "/opt/wifi/rtl_hostapd_2G.conf";
const char *const kDhcpServerConfig = "/etc/udhcpd.conf";
const char *const kAccessPointAddress = "192.168.4.1";
const char *const kAccessPointNetmask = "255.255.255.0";

const int kScanTimeoutMs = 20000;

QString iface()
{
    return QString::fromStdString(NetInterface::wifiInterfaceName());
}

} // namespace

Wifi::Wifi(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<ScanResult>();
    m_thread = std::thread([this] { run(); });
}

Wifi::~Wifi()
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_quit = true;
        m_jobs.clear(); // a query still waiting gets its fallback
    }
    m_wake.notify_all();
    m_thread.join();
}

// ---- the queue ------------------------------------------------------------

void Wifi::enqueue(std::function<void()> work)
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        if (m_quit)
            return;
        m_jobs.push_back(std::move(work));
    }
    m_wake.notify_all();
}

template <typename T>
T Wifi::ask(std::function<T()> work, T fallback)
{
    auto promise = std::make_shared<std::promise<T>>();
    std::future<T> answer = promise->get_future();
    enqueue([promise, work] { promise->set_value(work()); });
    try {
        return answer.get();
    } catch (const std::future_error &) {
        return fallback; // the controller ended before it came to the question
    }
}

void Wifi::report(std::function<void()> emitter)
{
    QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
}

// A join under way is polled between the queued jobs, which come first.
void Wifi::run()
{
    std::unique_lock<std::mutex> lock(m_queueMutex);
    for (;;) {
        const auto woken = [this] { return m_quit || !m_jobs.empty(); };
        if (m_join)
            m_wake.wait_until(lock, m_nextPoll, woken);
        else
            m_wake.wait(lock, woken);
        if (m_quit)
            return;
        if (!m_jobs.empty()) {
            std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
        } else if (m_join && std::chrono::steady_clock::now() >= m_nextPoll) {
            lock.unlock();
            pollJoin();
            lock.lock();
        }
    }
}

// ---- what callers ask -----------------------------------------------------

void Wifi::wifiStaStart()
{
    enqueue([this] { startStation(); });
}

void Wifi::wifiStaStop()
{
    enqueue([this] { stopStation(); });
}

void Wifi::wifiApStart()
{
    enqueue([this] { startAccessPoint(); });
}

void Wifi::enableAllNetworks()
{
    enqueue([this] { wpaCliOk({QStringLiteral("enable_network"), QStringLiteral("all")}); });
}

void Wifi::requestScan()
{
    enqueue([this] {
        ScanResult networks;
        scanNow(networks);
        const QString joined = joinedNow();
        report([this, networks, joined] { emit evt_scan_finished(networks, joined); });
    });
}

int Wifi::wifiConnect(WifiInfo &info)
{
    const QString ssid = info.ssid();
    if (!WifiText::fitsSsid(ssid) || !WifiText::fitsQuotedValue(info.m_password)
        || !WifiText::fitsQuotedValue(info.m_identity)) {
        qWarning() << "Wifi::wifiConnect refused: the tools cannot take this SSID or password";
        report([this, ssid] { emit evt_wificonnect_failed(ssid); });
        return -1;
    }
    const WifiInfo network = info;
    enqueue([this, network] { join(network); });
    return 0;
}

void Wifi::removeSsid(QString ssid)
{
    enqueue([this, ssid] { forget(ssid); });
}

int Wifi::scan(ScanResult &list)
{
    list.clear();
    auto found = std::make_shared<ScanResult>();
    const int result = ask<int>([this, found] { return scanNow(*found); }, -1);
    list.swap(*found);
    return result;
}

QString Wifi::getCurConnect()
{
    return ask<QString>([this] { return joinedNow(); }, QString());
}

// ---- the tools, on the controller's thread --------------------------------

ProcessRunner::Result Wifi::tool(const QString &name, const QStringList &args, int timeoutMs)
{
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

void Wifi::startStation()
{
    if (m_stationRunning)
        return;
    // Whatever an earlier mode or run left behind goes first.
    endAccessPoint();
    endStation();
    tool(QStringLiteral("ifconfig"), {iface(), QStringLiteral("up")});
    const ProcessRunner::Result supplicant = tool(
        QStringLiteral("wpa_supplicant"),
        {QStringLiteral("-B"), QStringLiteral("-i"), iface(), QStringLiteral("-c"), QString::fromLatin1(kSupplicantConfig)});
    if (!supplicant.ok()) {
        qWarning() << "Wifi::startStation wpa_supplicant did not start";
        return;
    }
    tool(QStringLiteral("wpa_cli"), {QStringLiteral("-i"), iface(), QStringLiteral("-a"),
                                     QString::fromLatin1(kActionScript), QStringLiteral("-B")});
    m_stationRunning = true;
}

void Wifi::stopStation()
{
    m_join.reset(); // the supplicant ends with it
    endStation();
    m_stationRunning = false;
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

void Wifi::startAccessPoint()
{
    stopStation();
    endAccessPoint();
    tool(QStringLiteral("ifconfig"), {iface(), QString::fromLatin1(kAccessPointAddress), QStringLiteral("netmask"),
                                      QString::fromLatin1(kAccessPointNetmask), QStringLiteral("up")});
    if (!tool(QStringLiteral("hostapd"), {QStringLiteral("-B"), QString::fromLatin1(kHostapdConfig)}).ok()) {
        qWarning() << "Wifi::startAccessPoint hostapd did not start";
        return;
    }
    if (!tool(QStringLiteral("udhcpd"), {QString::fromLatin1(kDhcpServerConfig)}).ok())
        qWarning() << "Wifi::startAccessPoint udhcpd did not start";
}

int Wifi::scanNow(ScanResult &list)
{
    list.clear();
    const ProcessRunner::Result result = tool(QStringLiteral("iwlist"), {iface(), QStringLiteral("scan")}, kScanTimeoutMs);
    if (!result.ok()) {
        qWarning() << "Wifi::scanNow iwlist failed";
        return -1;
    }
    list = WifiText::parseScan(result.output);
    return 0;
}

QString Wifi::joinedNow()
{
    const ProcessRunner::Result result = wpaCli({QStringLiteral("list_networks")});
    if (!result.ok())
        return QString();
    for (const WifiText::SavedNetwork &network : WifiText::parseNetworkList(result.output))
        if (network.current())
            return QString::fromStdString(network.ssid);
    return QString();
}

void Wifi::forget(const QString &ssid)
{
    const ProcessRunner::Result result = wpaCli({QStringLiteral("list_networks")});
    if (!result.ok())
        return;
    const std::string wanted = ssid.toStdString();
    for (const WifiText::SavedNetwork &network : WifiText::parseNetworkList(result.output)) {
        if (network.ssid != wanted)
            continue;
        if (m_join && m_join->id == network.id)
            m_join.reset();
        wpaCliOk({QStringLiteral("disable_network"), QString::number(network.id)});
        wpaCliOk({QStringLiteral("remove_network"), QString::number(network.id)});
    }
    wpaCliOk({QStringLiteral("save_config")});
}

} // namespace WIFINAMESPACE
