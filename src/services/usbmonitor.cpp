#include "usbmonitor.h"

#include "processrunner.h"
#include "sysroot.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QThread>

#include <map>
#include <set>

namespace {

const QString kMountPoint = QStringLiteral("/media");

std::mutex mountedHookMutex;
std::function<void()> mountedHook;

void runMountedHook()
{
    std::function<void()> hook;
    {
        std::lock_guard<std::mutex> lock(mountedHookMutex);
        hook = mountedHook;
    }
    if (hook)
        hook();
}

// "sdb1" -> "sdb"
std::string diskOf(const std::string &device)
{
    const size_t end = device.find_first_of("0123456789");
    return end == std::string::npos ? device : device.substr(0, end);
}

bool isStick(const std::string &disk)
{
    return disk.compare(0, 2, "sd") == 0;
}

// Partitions of `disk` that the kernel lists under /sys/block/<disk>.
QStringList sysPartitions(const QString &disk)
{
    const QDir diskDir(SysRoot::path(QStringLiteral("/sys/block/") + disk));
    return diskDir.entryList(QStringList(disk + QLatin1Char('*')), QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// Sticks present now, each disk with its partitions, from /sys/block and /dev.
std::map<std::string, std::set<std::string>> presentSticks()
{
    std::map<std::string, std::set<std::string>> sticks;
    const QStringList pattern(QStringLiteral("sd*"));
    const QStringList sysDisks = QDir(SysRoot::path(QStringLiteral("/sys/block"))).entryList(pattern, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &disk : sysDisks) {
        auto &partitions = sticks[disk.toStdString()];
        for (const QString &partition : sysPartitions(disk))
            partitions.insert(partition.toStdString());
    }
    const QStringList devNodes = QDir(SysRoot::path(QStringLiteral("/dev"))).entryList(pattern, QDir::AllEntries | QDir::System);
    for (const QString &node : devNodes) {
        const std::string name = node.toStdString();
        auto &partitions = sticks[diskOf(name)];
        if (name != diskOf(name))
            partitions.insert(name);
    }
    return sticks;
}

} // namespace

UsbMonitor::UsbMonitor(QObject *parent)
    : QObject(parent)
{
}

UsbMonitor::~UsbMonitor()
{
    m_hotPlug.stop();
    if (m_thread)
        m_thread->wait();
}

void UsbMonitor::setMountedHook(std::function<void()> hook)
{
    std::lock_guard<std::mutex> lock(mountedHookMutex);
    mountedHook = std::move(hook);
}

bool UsbMonitor::start()
{
    if (m_thread)
        return true;
    const int opened = m_hotPlug.open();
    if (opened != 0)
        qWarning() << "UsbMonitor::start cannot open the hot-plug socket, error" << opened;
    m_thread.reset(QThread::create([this] { watch(); }));
    m_thread->start();
    return opened == 0;
}

void UsbMonitor::watch()
{
    startupScan();
    std::string header;
    while (m_hotPlug.waitEvent(header))
        handleEvent(header);
}

void UsbMonitor::handleEvent(const std::string &header)
{
    tmsdk::BlockEvent event;
    if (!tmsdk::HotPlug::parseBlockEvent(header, event))
        return;
    if (!tmsdk::HotPlug::isSafeDeviceName(event.disk)
        || (!event.partition.empty() && !tmsdk::HotPlug::isSafeDeviceName(event.partition))) {
        qWarning() << "UsbMonitor::handleEvent ignoring event with a strange device name:"
                   << QString::fromStdString(header);
        return;
    }
    if (!isStick(event.disk))
        return;

    if (event.action == tmsdk::BlockEvent::Remove) {
        deviceRemoved(event.device());
        return;
    }
    // The kernel announces a disk after its partitions have been read, and
    // then each partition: a disk with partitions waits for those.
    if (event.partition.empty() && !sysPartitions(QString::fromStdString(event.disk)).isEmpty())
        return;
    mountDevice(event.device());
}

void UsbMonitor::startupScan()
{
    if (adoptExistingMount())
        return;
    for (const auto &stick : presentSticks()) {
        if (!tmsdk::HotPlug::isSafeDeviceName(stick.first) || !isStick(stick.first))
            continue;
        std::set<std::string> candidates = stick.second;
        if (candidates.empty())
            candidates.insert(stick.first);
        for (const std::string &device : candidates) {
            if (tmsdk::HotPlug::isSafeDeviceName(device) && mountDevice(device))
                return;
        }
    }
}

// A stick mounted before the program started (e.g. after a restart of the
// program) stays mounted and is only taken over.
bool UsbMonitor::adoptExistingMount()
{
    QFile mounts(SysRoot::path(QStringLiteral("/proc/mounts")));
    if (!mounts.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!mounts.atEnd()) {
        const QStringList fields = QString::fromLocal8Bit(mounts.readLine()).split(QLatin1Char(' '));
        if (fields.size() < 2 || fields.at(1) != kMountPoint)
            continue;
        {
            std::lock_guard<std::mutex> lock(m_mountMutex);
            if (m_mounted)
                return true;
            m_device = QFileInfo(fields.at(0)).fileName().toStdString();
            runMountedHook();
            m_mounted = true;
        }
        qDebug() << "UsbMonitor::adoptExistingMount" << fields.at(0) << "is already at" << kMountPoint;
        emit usbMounted();
        return true;
    }
    return false;
}

bool UsbMonitor::mountDevice(const std::string &name)
{
    {
        std::lock_guard<std::mutex> lock(m_mountMutex);
        if (m_mounted) {
            qDebug() << "UsbMonitor::mountDevice" << name.c_str() << "ignored, a stick is already mounted";
            return false;
        }
        const QString device = QStringLiteral("/dev/") + QString::fromStdString(name);
        const ProcessRunner::Result result = ProcessRunner::run(
            QStringLiteral("mount"),
            {QStringLiteral("-t"), QStringLiteral("vfat"), QStringLiteral("-o"), QStringLiteral("codepage=936,iocharset=utf8"),
             device, kMountPoint});
        if (!result.ok()) {
            qWarning() << "UsbMonitor::mountDevice cannot mount" << device << "exit code" << result.exitCode;
            return false;
        }
        m_device = name;
        runMountedHook();
        m_mounted = true;
    }
    qDebug() << "UsbMonitor::mountDevice" << name.c_str() << "mounted at" << kMountPoint;
    emit usbMounted();
    return true;
}

void UsbMonitor::deviceRemoved(const std::string &name)
{
    {
        std::lock_guard<std::mutex> lock(m_mountMutex);
        if (!m_mounted || (name != m_device && name != diskOf(m_device)))
            return;
        // The stick is gone whatever umount says; a lazy unmount detaches a
        // mount point that is still busy so that the next stick can use it.
        if (!ProcessRunner::run(QStringLiteral("umount"), {kMountPoint}).ok()
            && !ProcessRunner::run(QStringLiteral("umount"), {QStringLiteral("-l"), kMountPoint}).ok())
            qWarning() << "UsbMonitor::deviceRemoved cannot unmount" << kMountPoint;
        m_device.clear();
        m_mounted = false;
    }
    qDebug() << "UsbMonitor::deviceRemoved" << name.c_str() << "unmounted";
    emit usbUnmounted();
}
