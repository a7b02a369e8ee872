#pragma once

#include "processrunner.h"
#include "wifitypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <thread>

namespace WIFINAMESPACE {

using ScanResult = std::list<wifi_ap_t>;

// The printer's Wi-Fi: station mode through wpa_supplicant and wpa_cli (its
// action script fetches the address by DHCP), or an access point through
// hostapd and udhcpd. Every tool is started with an argument list, one call
// at a time, on the controller's own thread (docs/wifi-tools.md lists the
// command lines): the operations below only queue their work and return at
// once, so the screen never waits for a tool. Queued work runs in the order
// it was asked for. Outcomes come back as signals, emitted on the thread the
// controller lives on.
class Wifi : public QObject {
    Q_OBJECT
public:
    explicit Wifi(QObject *parent = nullptr);
    ~Wifi() override;

    // Ends the access point, resets the interface and starts the supplicant;
    // does nothing while the station runs.
    void wifiStaStart();
    // Ends the supplicant, wpa_cli and the DHCP client (a join under way is
    // given up) and takes the interface down.
    void wifiStaStop();
    // Ends the station and opens the access point.
    void wifiApStart();

    // Lets the supplicant join any saved network again.
    void enableAllNetworks();

    // Scans: evt_scan_finished follows with the networks in reach and the
    // joined one.
    void requestScan();
    // Joins the network: evt_wificonnect_success once it is associated and
    // has an address, evt_wificonnect_failed otherwise. A network the tools
    // cannot take (an SSID of more than 32 bytes, a password with a control
    // character) is refused at once: -1 and the failure signal.
    int wifiConnect(WifiInfo &info);
    // Forgets the saved network of exactly this SSID.
    void removeSsid(QString ssid);

    // Blocking queries, answered after the work queued before them; for
    // worker threads, never the GUI thread.
    // The networks in reach, strongest first. 0 or -1.
    int scan(ScanResult &list);
    // The SSID of the network the supplicant is joined to, or empty.
    QString getCurConnect();

signals:
    void evt_wificonnect_success(QString ssid);
    void evt_wificonnect_failed(QString ssid);
    void evt_scan_finished(WIFINAMESPACE::ScanResult networks, QString joinedSsid);

private:
    struct PendingJoin {
        int id;
        QString ssid;
        std::chrono::steady_clock::time_point deadline;
    };

    // ---- on the caller's thread
    void enqueue(std::function<void()> work);
    template <typename T>
    T ask(std::function<T()> work, T fallback);
    // Emits on the controller's own thread.
    void report(std::function<void()> emitter);

    // ---- on the controller's thread
    void run();
    ProcessRunner::Result tool(const QString &name, const QStringList &args, int timeoutMs = 10000);
    ProcessRunner::Result wpaCli(const QStringList &command);
    bool wpaCliOk(const QStringList &command);
    void end(const char *program);
    void endAccessPoint();
    void endStation();
    void startStation();
    void stopStation();
    void startAccessPoint();
    int scanNow(ScanResult &list);
    QString joinedNow();
    void forget(const QString &ssid);
    void join(const WifiInfo &network);
    bool configure(const WifiInfo &network, int id);
    void pollJoin();
    void finishJoin(bool joined);
    void abandonJoin();

    std::mutex m_queueMutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_quit = false;

    // Only the controller's thread touches these.
    bool m_stationRunning = false;
    std::optional<PendingJoin> m_join;
    std::chrono::steady_clock::time_point m_nextPoll;

    std::thread m_thread;
};

} // namespace WIFINAMESPACE

Q_DECLARE_METATYPE(WIFINAMESPACE::ScanResult)
