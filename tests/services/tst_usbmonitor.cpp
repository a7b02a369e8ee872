#include "sandboxroot.h"
#include "usbmonitor.h"

#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const int kWaitMs = kTryWaitMs;

// Counts the monitor's signals as a GUI-thread receiver sees them (queued).
struct SignalCounter {
    int mounts = 0;
    int unmounts = 0;

    void watch(UsbMonitor &monitor, QObject *receiver)
    {
        QObject::connect(&monitor, &UsbMonitor::usbMounted, receiver, [this] { ++mounts; }, Qt::QueuedConnection);
        QObject::connect(&monitor, &UsbMonitor::usbUnmounted, receiver, [this] { ++unmounts; }, Qt::QueuedConnection);
    }
};

// Sends one event as the kernel would: the header line and a NUL.
bool sendRawEvent(const SandboxRoot &root, const QByteArray &header)
{
    const QByteArray socketPath = QFile::encodeName(root.path("/run/uevent.sock"));
    sockaddr_un address;
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    const QByteArray message = header + QByteArray("\0SUBSYSTEM=block\0", 17);
    const bool sent = ::sendto(fd, message.constData(), message.size(), 0,
                               reinterpret_cast<sockaddr *>(&address), sizeof(address)) == message.size();
    ::close(fd);
    return sent;
}

QStringList linesOf(const QStringList &log, const QString &tool)
{
    QStringList result;
    for (const QString &line : log) {
        if (line.section('\t', 0, 0) == tool)
            result << line;
    }
    return result;
}

} // namespace

class TestUsbMonitor : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_sticks;

    QString makeStick(const QString &name, const QString &file)
    {
        QDir(m_sticks.path()).mkpath(name);
        QFile(m_sticks.filePath(name + '/' + file)).open(QIODevice::WriteOnly);
        return m_sticks.filePath(name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!SandboxRoot::simTools().isEmpty());
        QVERIFY(m_sticks.isValid());
    }

    void plugMountsAndUnplugUnmounts()
    {
        SandboxRoot root;
        const QString stick = makeStick("plugged", "part.gcode");
        UsbMonitor monitor;
        SignalCounter count;
        count.watch(monitor, this);
        QVERIFY(monitor.start());

        QVERIFY(SandboxRoot::usbStick({"plug", stick}));
        QTRY_COMPARE_WITH_TIMEOUT(count.mounts, 1, kWaitMs);
        QVERIFY(monitor.mounted());
        QVERIFY(QFile::exists(root.path("/media/part.gcode")));
        QVERIFY(root.read("/proc/mounts").contains("/dev/sdb1 /media vfat rw 0 0"));
        QCOMPARE(linesOf(root.logLines(), "mount"),
                 QStringList{"mount\t-t\tvfat\t-o\tcodepage=936,iocharset=utf8\t/dev/sdb1\t/media"});

        // Writes into /media land on the stick.
        QVERIFY(QFile::copy(root.path("/media/part.gcode"), root.path("/media/copy.gcode")));
        QVERIFY(QFile::exists(stick + "/copy.gcode"));

        QVERIFY(SandboxRoot::usbStick({"unplug"}));
        QTRY_COMPARE_WITH_TIMEOUT(count.unmounts, 1, kWaitMs);
        QVERIFY(!monitor.mounted());
        QVERIFY(!root.read("/proc/mounts").contains("/media"));
        QVERIFY(QDir(root.path("/media")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        QCOMPARE(linesOf(root.logLines(), "umount"), QStringList{"umount\t/media"});

        // Events are handled in order: once the next stick is in, the
        // partition's and the disk's removal have both been seen.
        QVERIFY(SandboxRoot::usbStick({"plug", makeStick("second", "other.g"), "sdc"}));
        QTRY_COMPARE_WITH_TIMEOUT(count.mounts, 2, kWaitMs);
        QCOMPARE(count.unmounts, 1);
        QVERIFY(QFile::exists(root.path("/media/other.g")));
        QCOMPARE(linesOf(root.logLines(), "mount").last(),
                 QString("mount\t-t\tvfat\t-o\tcodepage=936,iocharset=utf8\t/dev/sdc\t/media"));
    }

    void strangeNamesAndFailedMountsChangeNothing()
    {
        SandboxRoot root;
        UsbMonitor monitor;
        SignalCounter count;
        count.watch(monitor, this);
        QVERIFY(monitor.start());

        for (const char *header : {"add@/devices/usb/block/sdb1;touch x",
                                   "add@/devices/usb/block/sdb/sdb1;touch x",
                                   "add@/devices/usb/block/../sda",
                                   "add@/devices/usb/block/sdb/sdb1 -o remount",
                                   "add@/devices/virtual/block/loop0",
                                   "change@/devices/usb/block/sdd/sdd1"})
            QVERIFY(sendRawEvent(root, header));
        // A stick whose device node is missing cannot be mounted.
        QVERIFY(sendRawEvent(root, "add@/devices/usb/block/sde/sde1"));
        QVERIFY(SandboxRoot::usbStick({"plug", makeStick("good", "good.g"), "sdf1"}));

        QTRY_COMPARE_WITH_TIMEOUT(count.mounts, 1, kWaitMs);
        const QStringList log = root.logLines();
        QCOMPARE(log.size(), 2);
        QVERIFY(log.at(0).endsWith("\t/dev/sde1\t/media"));
        QVERIFY(log.at(1).endsWith("\t/dev/sdf1\t/media"));
        QVERIFY(!QFile::exists(root.path("/sbin-standin/x")));
        QVERIFY(!QFile::exists("x"));
    }

    void startupScanMountsStickAlreadyPresent()
    {
        SandboxRoot root;
        QVERIFY(SandboxRoot::usbStick({"plug", makeStick("early", "early.gx")}));
        UsbMonitor monitor;
        SignalCounter count;
        count.watch(monitor, this);
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(count.mounts, 1, kWaitMs);
        QVERIFY(QFile::exists(root.path("/media/early.gx")));
        QCOMPARE(linesOf(root.logLines(), "mount").size(), 1);
    }

    void startupScanTakesOverAnExistingMount()
    {
        SandboxRoot root;
        root.write("/proc/mounts", "/dev/mmcblk0p3 /data ext4 rw 0 0\n/dev/sdc1 /media vfat rw 0 0\n");
        UsbMonitor monitor;
        SignalCounter count;
        count.watch(monitor, this);
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(count.mounts, 1, kWaitMs);
        QVERIFY(monitor.mounted());
        QVERIFY(root.logLines().isEmpty());

        // Its removal unmounts it like a stick mounted by the program.
        QVERIFY(sendRawEvent(root, "remove@/devices/usb/block/sdc/sdc1"));
        QTRY_COMPARE_WITH_TIMEOUT(count.unmounts, 1, kWaitMs);
        QCOMPARE(root.logLines(), QStringList{"umount\t/media"});
        QCOMPARE(root.read("/proc/mounts"), QString("/dev/mmcblk0p3 /data ext4 rw 0 0\n"));
    }
};

QTEST_GUILESS_MAIN(TestUsbMonitor)
#include "tst_usbmonitor.moc"
