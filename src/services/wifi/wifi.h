#pragma once

#include "processrunner.h"
#include "wifitypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <list>
#include <mutex>
#include <optional>
#include <thread>

namespace WIFINAMESPACE {

// The printer's Wi-Fi: station mode through wpa_supplicant and wpa_cli (its
// action script fetches the address by DHCP), or an access point through
// hostapd and udhcpd. Every tool is started with an argument list, one call
// at a time (docs/wifi-tools.md lists the command lines). Joining a network
// runs on the monitor thread, which reports the outcome by a signal.
class Wifi : public QObject {
    Q_OBJECT
public:
    explicit Wifi(QObject *parent = nullptr);
    ~Wifi() override;

    // Ends the access point, resets the interface and starts the supplicant
    // and the monitor thread; does nothing while the station runs. 0 or -1.
    int wifiStaStart();
    // Ends the monitor, the supplicant, wpa_cli and the DHCP client and takes
    // the interface down.
    int wifiStaStop();
    // Ends the station and opens the access point. 0 or -1.
    int wifiApStart();

    // Lets the supplicant join any saved network again (a join puts the
    // others aside).
    int enableAllNetworks();

    // The networks in reach, strongest first; blocks for the scan. 0 or -1.
    int scan(std::list<wifi_ap_t> &list);
    // The SSID of the network the supplicant is joined to, or empty.
    QString getCurConnect();
    // Joins the network in the background: evt_wificonnect_success once it
    // is associated and has an address, evt_wificonnect_failed otherwise.
    int wifiConnect(WifiInfo &info);
    // Forgets the saved network of exactly this SSID.
    int removeSsid(QString ssid);

signals:
    void evt_wificonnect_success(QString ssid);
    void evt_wificonnect_failed(QString ssid);

private:
    ProcessRunner::Result tool(const QString &name, const QStringList &args, int timeoutMs = 10000);
    ProcessRunner::Result wpaCli(const QStringList &command);
    bool wpaCliOk(const QStringList &command);
    void end(const char *program);
    void endAccessPoint();
    void endStation();
    void stopMonitor();
    void monitor();
    void join(const WifiInfo &network);
    bool configure(const WifiInfo &network, int id);
    // Waits for the outcome of joining network `id`; false on failure.
    bool awaitJoin(int id, const std::string &ssid);
    bool monitorInterrupted();

    std::mutex m_toolMutex; // one tool call at a time
    std::atomic<bool> m_stationRunning{false};

    std::mutex m_monitorMutex;
    std::condition_variable m_monitorWake;
    std::optional<WifiInfo> m_request;
    bool m_monitorStop = false;
    std::thread m_monitor;
};

} // namespace WIFINAMESPACE
