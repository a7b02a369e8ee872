#include "updatemanager.h"

#include "config.h"
#include "getconfigfile.h"
#include "packageinstaller.h"
#include "sysroot.h"
#include "timescale.h"
#include "updateschema.h"
#include "versiondirs.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

using tmupserver::Outcome;
using tmupserver::PackageInfo;
using tmupserver::PackageType;

namespace {

std::string installedVersion(const current_version &current, PackageType type)
{
    switch (type) {
    case tmupserver::PACKAGE_TYPE_KERNEL:
        return current.kernel;
    case tmupserver::PACKAGE_TYPE_CONTROL:
        return current.control;
    case tmupserver::PACKAGE_TYPE_LIBRARY:
        return current.library;
    case tmupserver::PACKAGE_TYPE_SOFTWARE:
        return current.software;
    }
    return std::string();
}

void setInstalledVersion(current_version &current, PackageType type, const std::string &version)
{
    switch (type) {
    case tmupserver::PACKAGE_TYPE_KERNEL:
        current.kernel = version;
        break;
    case tmupserver::PACKAGE_TYPE_CONTROL:
        current.control = version;
        break;
    case tmupserver::PACKAGE_TYPE_LIBRARY:
        current.library = version;
        break;
    case tmupserver::PACKAGE_TYPE_SOFTWARE:
        current.software = version;
        break;
    }
}

bool isNewer(const PackageInfo &package, const current_version &current)
{
    return VersionDirs::compare(QString::fromStdString(package.version),
                                QString::fromStdString(installedVersion(current, package.type)))
           > 0;
}

} // namespace

UpdateManager::UpdateManager(QObject *parent)
    : QObject(parent)
{
}

UpdateManager::~UpdateManager()
{
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_stop.store(true);
    }
    m_wake.notify_all();
    if (m_checker.joinable())
        m_checker.join();
}

void UpdateManager::setCurrentVersion(const current_version &current)
{
    std::lock_guard<std::mutex> lock(m_versionMutex);
    m_current = current;
}

current_version UpdateManager::currentVersion() const
{
    std::lock_guard<std::mutex> lock(m_versionMutex);
    return m_current;
}

void UpdateManager::startChecker()
{
    if (m_checker.joinable())
        return;
    m_checker = std::thread([this] { checkerLoop(); });
}

void UpdateManager::getCurrentFirmwareUpdateProcess(update_firmware_process &state)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    state = m_state;
}

void UpdateManager::setCurrentFirmwareUpdateProcess(update_firmware_process state)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_state = state;
}

void UpdateManager::setCheckUpdateStatus(bool check)
{
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_checkRequested = check;
    }
    if (check)
        m_wake.notify_all();
}

void UpdateManager::getCurrentPacketDownloadProgress(tmupserver::PackageType &type, int &percent)
{
    std::lock_guard<std::mutex> lock(m_progressMutex);
    type = m_progressType;
    percent = m_progressPercent;
}

void UpdateManager::setProgress(tmupserver::PackageType type, int percent)
{
    std::lock_guard<std::mutex> lock(m_progressMutex);
    m_progressType = type;
    m_progressPercent = percent;
}

QString UpdateManager::downloadFolder()
{
    return SysRoot::path(QStringLiteral("/opt/PROGRAM/download"));
}

QString UpdateManager::storeFolder(tmupserver::PackageType type)
{
    return SysRoot::path(QStringLiteral("/opt/PROGRAM/") + QLatin1String(tmupserver::packageTypeName(type)));
}

QString UpdateManager::archivePath(const PackageInfo &package)
{
    return downloadFolder() + QLatin1Char('/') + QLatin1String(tmupserver::packageTypeName(package.type))
           + QLatin1Char('-') + QString::fromStdString(package.version) + QStringLiteral(".tar.gz");
}

tmupserver::UpServerClient UpdateManager::makeClient() const
{
    const QString ca = SysRoot::path(QStringLiteral("/opt/PROGRAM/config/update-ca.pem"));
    tmupserver::UpServerClient client(getConfigFile()->configFile()->getUpdateServer(),
                                      QFileInfo::exists(ca) ? ca.toStdString() : std::string());
    client.setKeepGoing([this] { return !m_stop.load(); });
    return client;
}

// ---- the checker thread ----------------------------------------------------

void UpdateManager::checkerLoop()
{
    using Clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    Clock::time_point due = Clock::now();
    bool scheduled = true; // false while a downloaded update waits
    int retryMs = RetryIntervalMs; // the wait after the next unreachable try
    for (;;) {
        const auto woken = [this] { return m_stop.load() || m_checkRequested || !m_feedback.empty(); };
        if (scheduled)
            m_wake.wait_until(lock, due, woken);
        else
            m_wake.wait(lock, woken);
        if (m_stop.load())
            return;
        if (!m_feedback.empty()) {
            const std::vector<Json::Value> reports = std::move(m_feedback);
            m_feedback.clear();
            lock.unlock();
            sendFeedback(reports);
            update_firmware_process state;
            getCurrentFirmwareUpdateProcess(state);
            lock.lock();
            // An installation has used up the waiting update: back to the
            // regular checks.
            if (!scheduled && state != DOWNLOADED) {
                scheduled = true;
                due = Clock::now() + std::chrono::milliseconds(TimeScale::ms(RecheckIntervalMs));
            }
            continue;
        }
        if (!m_checkRequested && !(scheduled && Clock::now() >= due))
            continue;
        m_checkRequested = false;
        lock.unlock();
        const CheckOutcome outcome = runCheck();
        lock.lock();
        scheduled = outcome != CheckOutcome::Pending;
        int wait = RecheckIntervalMs;
        if (outcome == CheckOutcome::Unreachable) {
            wait = retryMs;
            retryMs = std::min(retryMs * 2, MaxRetryIntervalMs);
        } else {
            retryMs = RetryIntervalMs;
        }
        due = Clock::now() + std::chrono::milliseconds(TimeScale::ms(wait));
    }
}

bool UpdateManager::waitUnlessStopping(std::chrono::milliseconds duration)
{
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_stop.load(); });
}

UpdateManager::CheckOutcome UpdateManager::runCheck()
{
    std::lock_guard<std::mutex> busy(m_busyMutex);
    update_firmware_process state;
    getCurrentFirmwareUpdateProcess(state);
    if (state == DOWNLOADED && !m_downloaded.empty())
        return CheckOutcome::Pending;

    const current_version current = currentVersion();
    tmupserver::UpServerClient client = makeClient();
    Json::Value reply;
    std::string error;
    const Outcome asked = client.checkUpdate(UpdateSchema::checkRequest(current), reply, error);
    if (asked == Outcome::Aborted)
        return CheckOutcome::Unreachable;
    if (asked == Outcome::Unreachable) {
        // Once per outage, however often the checker tries again.
        if (!m_outageLogged)
            qWarning() << "UpdateManager::runCheck the update server cannot be reached:" << error.c_str()
                       << "- trying again until it answers";
        m_outageLogged = true;
        return CheckOutcome::Unreachable;
    }
    m_outageLogged = false;
    std::vector<PackageInfo> offered;
    if (asked != Outcome::Ok || !UpdateSchema::parseCheckReply(reply, offered, error)) {
        qWarning() << "UpdateManager::runCheck the server's answer is refused:" << error.c_str();
        setCurrentFirmwareUpdateProcess(DOWNLOAD_ERROR);
        return CheckOutcome::Answered;
    }

    std::vector<PackageInfo> newer;
    std::copy_if(offered.begin(), offered.end(), std::back_inserter(newer),
                 [&](const PackageInfo &p) { return isNewer(p, current); });
    std::sort(newer.begin(), newer.end(), [](const PackageInfo &a, const PackageInfo &b) { return a.type < b.type; });
    if (newer.empty()) {
        setCurrentFirmwareUpdateProcess(THE_LATEST_VERSION);
        return CheckOutcome::Answered;
    }

    setCurrentFirmwareUpdateProcess(PRE_DOWNLOAD);
    if (!QDir().mkpath(downloadFolder())) {
        qWarning() << "UpdateManager::runCheck cannot create" << downloadFolder();
        setCurrentFirmwareUpdateProcess(DOWNLOAD_ERROR);
        return CheckOutcome::Answered;
    }
    for (const PackageInfo &package : newer) {
        setProgress(package.type, 0);
        setCurrentFirmwareUpdateProcess(DOWNLOADING);
        const bool ok = downloadPackage(client, package, error);
        if (m_stop.load())
            return CheckOutcome::Answered;
        queueFeedback(package, false, ok, error);
        if (!ok) {
            qWarning() << "UpdateManager::runCheck download failed:" << package.url.c_str() << error.c_str();
            setCurrentFirmwareUpdateProcess(DOWNLOAD_ERROR);
            return CheckOutcome::Answered;
        }
    }
    m_downloaded = newer;
    setCurrentFirmwareUpdateProcess(DOWNLOADED);
    emit sig_newVersionDownloaded();
    return CheckOutcome::Pending;
}

bool UpdateManager::downloadPackage(tmupserver::UpServerClient &client, const PackageInfo &package,
                                    std::string &error)
{
    const QString archive = archivePath(package);
    const QString partial = archive + QStringLiteral(".part");
    const QString expected = QString::fromStdString(package.md5);
    // Downloaded and checked by an earlier run.
    if (PackageInstaller::fileMd5(archive) == expected) {
        setProgress(package.type, 100);
        return true;
    }
    QFile::remove(archive);
    if (package.size > 0 && QFileInfo(partial).size() > package.size)
        QFile::remove(partial);

    const auto progress = [this, &package](long long done, long long total) {
        if (total <= 0)
            total = package.size;
        if (total > 0)
            setProgress(package.type, static_cast<int>(std::lround(std::min(100.0, 100.0 * done / total))));
        return true;
    };
    Outcome outcome = Outcome::Unreachable;
    for (int attempt = 0; attempt < DownloadAttempts; ++attempt) {
        if (attempt > 0 && !waitUnlessStopping(std::chrono::milliseconds(TimeScale::ms(RetryIntervalMs))))
            return false;
        const qint64 partSize = QFileInfo(partial).size();
        const bool hadPart = partSize > 0;
        // The whole file is here already: a range request could only fail.
        if (package.size > 0 && partSize == package.size) {
            outcome = Outcome::Ok;
            break;
        }
        // The file may take what the store can spare; when the server
        // announced its size, not a byte more than that.
        const qint64 room = PackageInstaller::spareBytes(downloadFolder()) + partSize;
        if (package.size > room) {
            error = "not enough free space for " + std::to_string(package.size) + " bytes";
            outcome = Outcome::TooLarge;
            break;
        }
        const long long maxBytes = package.size > 0 ? package.size : room;
        outcome = client.download(package.url, partial.toStdString(), maxBytes, progress, error);
        if (outcome == Outcome::Ok || outcome == Outcome::Aborted || outcome == Outcome::LocalError
            || outcome == Outcome::TooLarge)
            break;
        // A server that refuses to continue the file gets asked for all of it.
        if (outcome == Outcome::Refused) {
            if (!hadPart)
                break;
            QFile::remove(partial);
        }
    }
    if (outcome == Outcome::LocalError || outcome == Outcome::TooLarge) {
        // Nothing to resume from: the rest would not fit, or the file is bad.
        QFile::remove(partial);
        return false;
    }
    if (outcome != Outcome::Ok)
        return false;
    if (PackageInstaller::fileMd5(partial) != expected) {
        error = "MD5 sum does not match";
        QFile::remove(partial);
        return false;
    }
    if (!QFile::rename(partial, archive)) {
        error = "cannot rename the download";
        QFile::remove(partial);
        return false;
    }
    setProgress(package.type, 100);
    return true;
}

// ---- installation -----------------------------------------------------------

int UpdateManager::startInstallUpdatePackets()
{
    std::unique_lock<std::mutex> busy(m_busyMutex, std::try_to_lock);
    update_firmware_process state;
    getCurrentFirmwareUpdateProcess(state);
    if (!busy.owns_lock() || state != DOWNLOADED || m_downloaded.empty()) {
        qWarning() << "UpdateManager::startInstallUpdatePackets nothing to install now, state" << state;
        return -1;
    }
    // An installation script may restart the program or the board: settings
    // still waiting for their write go to the disk first.
    getConfigFile()->configFile()->flush();
    const std::vector<PackageInfo> packages = std::move(m_downloaded);
    m_downloaded.clear();
    int result = 0;
    for (const PackageInfo &package : packages) {
        const QString archive = archivePath(package);
        if (result < 0) {
            QFile::remove(archive);
            continue;
        }
        setCurrentFirmwareUpdateProcess(DECOMPRESS_FIRMWARE_PACKET);
        QString error;
        const bool ok = PackageInstaller::install(archive, storeFolder(package.type),
                                                  QString::fromStdString(package.version), error,
                                                  [this] { setCurrentFirmwareUpdateProcess(UPGRADE_FIRMWARE); });
        QFile::remove(archive);
        queueFeedback(package, true, ok, error.toStdString());
        if (!ok) {
            qWarning() << "UpdateManager::startInstallUpdatePackets" << tmupserver::packageTypeName(package.type)
                       << package.version.c_str() << "not installed:" << error;
            result = -1;
            continue;
        }
        std::lock_guard<std::mutex> lock(m_versionMutex);
        setInstalledVersion(m_current, package.type, package.version);
    }
    setCurrentFirmwareUpdateProcess(result == 0 ? UPGRADE_COMPLETED : DOWNLOAD_ERROR);
    return result;
}

// ---- feedback ---------------------------------------------------------------

void UpdateManager::queueFeedback(const PackageInfo &package, bool install, bool success, const std::string &message)
{
    const Json::Value report = UpdateSchema::feedbackReport(
        currentVersion().serialNumber, package,
        install ? UpdateSchema::Stage::Install : UpdateSchema::Stage::Download, success, success ? "" : message);
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_feedback.push_back(report);
    }
    m_wake.notify_all();
}

void UpdateManager::sendFeedback(const std::vector<Json::Value> &reports)
{
    tmupserver::UpServerClient client = makeClient();
    for (const Json::Value &report : reports) {
        std::string error;
        if (client.sendFeedback(report, error) != Outcome::Ok)
            qWarning() << "UpdateManager::sendFeedback not delivered:" << error.c_str();
    }
}
