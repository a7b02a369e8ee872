#pragma once

#include "tmupserver.h"
#include "updatetypes.h"

#include <json/json.h>

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Keeps the printer's packages up to date: a checker thread asks the update
// server what is newer than the installed versions, downloads every newer
// package (resuming broken transfers) and checks its MD5 sum; the update page
// then asks for the installation, which runs on the caller's thread.
//
// The checker asks at once when started, again after 2 seconds while the
// server cannot be reached, doubling the wait after every failed try up to
// 5 minutes (each try costs a thread, a DNS lookup and a TLS handshake), then
// every 12 hours once it answers, while no downloaded update waits for
// installation; setCheckUpdateStatus(true) wakes it at once. Packages are
// downloaded into /opt/PROGRAM/download/ and installed into the package store
// /opt/PROGRAM/<kind>/<a.b.c>/ (see PackageInstaller). The server address is
// the setting "network"/"updateServer"; its certificate is checked against
// /opt/PROGRAM/config/update-ca.pem when the product ships one, else against
// the system's authorities.
class UpdateManager : public QObject {
    Q_OBJECT
public:
    static constexpr int RetryIntervalMs = 2000;
    static constexpr int MaxRetryIntervalMs = 5 * 60 * 1000;
    static constexpr int RecheckIntervalMs = 12 * 60 * 60 * 1000;
    // Tries per package; each after the first continues the partial file.
    static constexpr int DownloadAttempts = 5;

    explicit UpdateManager(QObject *parent = nullptr);
    // Stops the checker: a running transfer is aborted, the thread joined.
    ~UpdateManager() override;

    // What is installed now; the main window fills it before the checker starts.
    void setCurrentVersion(const current_version &current);
    current_version currentVersion() const;

    // Starts the checker thread; later calls do nothing.
    void startChecker();

    void getCurrentFirmwareUpdateProcess(update_firmware_process &state);
    void setCurrentFirmwareUpdateProcess(update_firmware_process state);
    // true: check now (the checker thread wakes at once).
    void setCheckUpdateStatus(bool check);
    // The kind of package being downloaded and its percent (0 to 100).
    void getCurrentPacketDownloadProgress(tmupserver::PackageType &type, int &percent);

    // Installs the downloaded packages, on the caller's thread: state
    // DECOMPRESS_FIRMWARE_PACKET, UPGRADE_FIRMWARE, then UPGRADE_COMPLETED and
    // 0. A package that fails to unpack, verify or install ends in
    // DOWNLOAD_ERROR and -1 (packages installed before it stay installed);
    // -1 without any change when nothing is downloaded or an installation or
    // check is running already.
    int startInstallUpdatePackets();

    static QString downloadFolder();
    static QString storeFolder(tmupserver::PackageType type);

signals:
    // A check has downloaded and verified a newer version (checker thread).
    void sig_newVersionDownloaded();

private:
    enum class CheckOutcome { Unreachable, Answered, Pending };

    void checkerLoop();
    CheckOutcome runCheck();
    bool downloadPackage(tmupserver::UpServerClient &client, const tmupserver::PackageInfo &package,
                         std::string &error);
    void setProgress(tmupserver::PackageType type, int percent);
    void queueFeedback(const tmupserver::PackageInfo &package, bool install, bool success,
                       const std::string &message);
    void sendFeedback(const std::vector<Json::Value> &reports);
    bool waitUnlessStopping(std::chrono::milliseconds duration);
    tmupserver::UpServerClient makeClient() const;
    static QString archivePath(const tmupserver::PackageInfo &package);

    mutable std::mutex m_stateMutex;
    update_firmware_process m_state = CHECK_UPDATE;

    std::mutex m_progressMutex;
    tmupserver::PackageType m_progressType = tmupserver::PACKAGE_TYPE_SOFTWARE;
    int m_progressPercent = 0;

    mutable std::mutex m_versionMutex;
    current_version m_current;

    // Held by a check (with its downloads) and by an installation, so that
    // only one of them runs at a time.
    std::mutex m_busyMutex;
    std::vector<tmupserver::PackageInfo> m_downloaded; // under m_busyMutex

    // The checker's wake-up: a check request, a report to send, or the stop.
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_checkRequested = false;
    std::vector<Json::Value> m_feedback;
    std::atomic<bool> m_stop{false};
    // Checker thread: the current outage of the server has been logged.
    bool m_outageLogged = false;
    std::thread m_checker;
};
