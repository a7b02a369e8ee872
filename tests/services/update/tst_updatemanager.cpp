// The update manager against the local HTTPS update server, in a sandbox
// root: checks, resumed downloads, MD5 checks, installation and every way an
// update can fail without harming the installed version.
#include "../sandboxroot.h"
#include "config.h"
#include "getconfigfile.h"
#include "update/packageinstaller.h"
#include "timescale.h"
#include "update/updatemanager.h"
#include "updateserver.h"
#include "versiondirs.h"

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/statfs.h>
#include <unistd.h>

Q_DECLARE_METATYPE(QJsonObject)

namespace {

// A file system of its own, `megabytes` large, mounted at `path` for the
// scope (a tmpfs; mounting needs root, as on the printer's board).
class SmallFileSystem {
public:
    SmallFileSystem(const QString &path, int megabytes)
        : m_path(QFile::encodeName(path))
    {
        QDir().mkpath(path);
        const QByteArray options = "size=" + QByteArray::number(megabytes) + "m";
        m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    qint64 freeBytes() const
    {
        struct statfs info {};
        return ::statfs(m_path.constData(), &info) == 0 ? qint64(info.f_bfree) * qint64(info.f_bsize) : -1;
    }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

// The names created in a folder from now on, even those removed again
// before they are asked for.
class CreationWatch {
public:
    explicit CreationWatch(const QString &folder)
        : m_fd(inotify_init1(IN_NONBLOCK))
    {
        m_watching = m_fd >= 0 && inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_CREATE) >= 0;
    }
    ~CreationWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool watching() const { return m_watching; }
    QStringList created() const
    {
        QStringList names;
        alignas(inotify_event) char events[64 * 1024];
        ssize_t got;
        while ((got = ::read(m_fd, events, sizeof(events))) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(events + at);
                names << QFile::decodeName(event->len ? event->name : "");
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int m_fd;
    bool m_watching = false;
};

// The update manager's messages, as the log would receive them.
QStringList g_messages;
std::mutex g_messagesMutex;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    std::lock_guard<std::mutex> lock(g_messagesMutex);
    g_messages << message;
}

int messagesContaining(const QString &text)
{
    std::lock_guard<std::mutex> lock(g_messagesMutex);
    return int(std::count_if(g_messages.begin(), g_messages.end(),
                             [&](const QString &m) { return m.contains(text); }));
}

struct Bench {
    SandboxRoot root;
    // /opt/PROGRAM on a file system of this many megabytes (0: the host's).
    std::unique_ptr<SmallFileSystem> smallStore;
    TestUpdateServer server;
    std::unique_ptr<UpdateManager> manager;

    explicit Bench(const QString &installedSoftware = QStringLiteral("1.0.0"), int storeMegabytes = 0)
    {
        if (storeMegabytes > 0)
            smallStore = std::make_unique<SmallFileSystem>(root.path(QStringLiteral("/opt/PROGRAM")), storeMegabytes);
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setUpdateServer(server.url().toStdString());
        QDir().mkpath(root.path(QStringLiteral("/opt/PROGRAM/config")));
        QFile::copy(server.certificate(), root.path(QStringLiteral("/opt/PROGRAM/config/update-ca.pem")));
        root.write(QStringLiteral("/opt/PROGRAM/software/") + installedSoftware + QStringLiteral("/run.sh"), "old");
        manager = std::make_unique<UpdateManager>();
        manager->setCurrentVersion({"SN-42", "1.0.0", "1.0.0", "1.0.0", installedSoftware.toStdString()});
    }

    update_firmware_process state() const
    {
        update_firmware_process s;
        manager->getCurrentFirmwareUpdateProcess(s);
        return s;
    }

    QString store(const QString &rest = QString()) const
    {
        return root.path(QStringLiteral("/opt/PROGRAM/software")) + rest;
    }

    // Names in the software store, hidden ones included.
    QStringList storeEntries() const
    {
        return QDir(store()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QJsonObject lastFeedback() const
    {
        const QList<QJsonObject> sent = server.requestsTo("PUT", "/download/feedback");
        return sent.isEmpty() ? QJsonObject() : TestUpdateServer::body(sent.last());
    }
};

QJsonObject members(std::initializer_list<QJsonObject> list, const QJsonObject &extra = {})
{
    QJsonObject recipe = extra;
    QJsonArray array;
    for (const QJsonObject &m : list)
        array << m;
    recipe["members"] = array;
    return recipe;
}

// Leaves a mark when it runs.
const QJsonObject runSh{{"name", "run.sh"}, {"data", "#!/bin/sh\ntouch \"$PRINTER_SYSROOT/ran\"\n"}, {"mode", 0755}};
const QJsonObject program{{"name", "bin/program"}, {"data", "new program"}};

} // namespace

class TestUpdateManager : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        Bench bench;
        QVERIFY2(bench.server.ok(), "the HTTPS test server did not start (python3, openssl)");
    }

    // The check tells the server what is installed and downloads only what
    // is newer, comparing versions number by number.
    void checkComparesVersions_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<int>("expected");
        QTest::newRow("same version") << "1.0.0" << "1.0.0" << int(THE_LATEST_VERSION);
        QTest::newRow("1.0.9 is older than 1.0.10") << "1.0.10" << "1.0.9" << int(THE_LATEST_VERSION);
        QTest::newRow("1.0.10 is newer than 1.0.9") << "1.0.9" << "1.0.10" << int(DOWNLOADED);
    }

    void checkComparesVersions()
    {
        QFETCH(QString, installed);
        QFETCH(QString, offered);
        QFETCH(int, expected);
        Bench bench(installed);
        bench.server.offer({bench.server.entry(bench.server.publish("software", offered, members({runSh, program},
                                                                                                {{"md5list", true}})))});
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), expected);

        const QJsonObject asked = TestUpdateServer::body(bench.server.requestsTo("PUT", "/update").first());
        QCOMPARE(asked["serialNumber"].toString(), QStringLiteral("SN-42"));
        QCOMPARE(asked["versions"].toObject()["software"].toString(), installed);
        QCOMPARE(bench.server.requestsTo("PUT", "/update").first()["contentType"].toString(),
                 QStringLiteral("application/json"));
        QCOMPARE(bench.server.requestsTo("GET", "/packages/").isEmpty(), expected != DOWNLOADED);
    }

    // The main road: a dropped transfer continues where it broke off, the
    // package is checked, installed by its run.sh in its version folder, and
    // both steps are reported to the server.
    void downloadResumesAndInstalls()
    {
        Bench bench;
        const auto package = bench.server.publishScript("software", "1.1.0", "pwd > \"$PRINTER_SYSROOT/ran-in\"\n");
        QVERIFY(package.size > 200);
        bench.server.dropAfter(200);
        bench.server.offer({bench.server.entry(package)});
        QSignalSpy found(bench.manager.get(), &UpdateManager::sig_newVersionDownloaded);
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), int(DOWNLOADED));
        // The signal comes from the checker's thread after the state.
        QTRY_COMPARE(found.count(), 1);

        const QList<QJsonObject> gets = bench.server.requestsTo("GET", "/packages/");
        QCOMPARE(gets.size(), 2);
        QVERIFY(gets[0]["range"].isNull());
        QCOMPARE(gets[1]["range"].toString(), QStringLiteral("bytes=200-"));
        tmupserver::PackageType type;
        int percent;
        bench.manager->getCurrentPacketDownloadProgress(type, percent);
        QCOMPARE(int(type), int(tmupserver::PACKAGE_TYPE_SOFTWARE));
        QCOMPARE(percent, 100);

        QCOMPARE(bench.manager->startInstallUpdatePackets(), 0);
        QCOMPARE(int(bench.state()), int(UPGRADE_COMPLETED));
        QCOMPARE(bench.root.read("/ran-in").trimmed(), bench.store("/1.1.0"));
        QCOMPARE(bench.root.read("/opt/PROGRAM/software/1.1.0/bin/program"), QStringLiteral("new program"));
        QCOMPARE(bench.storeEntries(), (QStringList{"1.0.0", "1.1.0"}));
        QVERIFY(QDir(UpdateManager::downloadFolder()).isEmpty());
        // Nothing is left to install a second time.
        QCOMPARE(bench.manager->startInstallUpdatePackets(), -1);

        QTRY_COMPARE(bench.server.requestsTo("PUT", "/download/feedback").size(), 2);
        const QList<QJsonObject> reports = bench.server.requestsTo("PUT", "/download/feedback");
        QCOMPARE(TestUpdateServer::body(reports[0])["stage"].toString(), QStringLiteral("download"));
        QCOMPARE(TestUpdateServer::body(reports[1])["stage"].toString(), QStringLiteral("install"));
        for (const QJsonObject &r : reports) {
            QCOMPARE(TestUpdateServer::body(r)["result"].toString(), QStringLiteral("success"));
            QCOMPARE(TestUpdateServer::body(r)["version"].toString(), QStringLiteral("1.1.0"));
        }
    }

    // The forms a package may come in are installed, each file under its
    // whole name: long names in pax headers or as GNU writes them, and
    // names under "./" after the package folder's own entry, as
    // "tar -C folder ." writes them.
    void packageFormsInstall_data()
    {
        QTest::addColumn<QJsonObject>("recipe");
        const QString longName = QStringLiteral("lib/") + QString(150, QLatin1Char('n'));
        const QJsonObject longFile{{"name", longName}, {"data", "long"}};
        QTest::newRow("long name in a pax header") << members({runSh, longFile}, {{"md5list", true}});
        QTest::newRow("GNU long name") << members({runSh, longFile}, {{"md5list", true}, {"format", "gnu"}});
        QJsonObject dotRunSh = runSh;
        dotRunSh["name"] = "./run.sh";
        QTest::newRow("names under ./")
            << members({{{"name", "./"}, {"type", "dir"}}, dotRunSh, {{"name", "./" + longName}, {"data", "long"}}},
                       {{"md5list", true}});
    }

    void packageFormsInstall()
    {
        QFETCH(QJsonObject, recipe);
        Bench bench;
        bench.server.offer({bench.server.entry(bench.server.publish("software", "1.1.0", recipe))});
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), int(DOWNLOADED));
        QCOMPARE(bench.manager->startInstallUpdatePackets(), 0);
        QVERIFY(QFileInfo::exists(bench.root.path("/ran")));
        QCOMPARE(bench.root.read("/opt/PROGRAM/software/1.1.0/lib/" + QString(150, QLatin1Char('n'))),
                 QStringLiteral("long"));
    }

    // Each of these ends in DOWNLOAD_ERROR, for its own reason, with the
    // installed version the newest in the store, nothing run and nothing of
    // the new one left behind.
    void failuresKeepTheOldVersion_data()
    {
        QTest::addColumn<QJsonObject>("recipe");
        QTest::addColumn<QJsonObject>("entryChange");
        QTest::addColumn<bool>("downloads");
        QTest::addColumn<QString>("reason"); // in the report to the server
        const QJsonObject none;
        const QJsonObject good = members({runSh, program}, {{"md5list", true}});
        QTest::newRow("archive does not match its MD5 sum")
            << good << QJsonObject{{"md5", "0123456789abcdef0123456789abcdef"}} << false << "MD5 sum does not match";
        QTest::newRow("file does not match md5sum.list")
            << members({runSh, program}, {{"md5list", true}, {"md5override", QJsonObject{{"bin/program", QString(32, 'a')}}}})
            << none << true << "bin/program does not match its MD5 sum";
        QTest::newRow("no md5sum.list") << members({runSh, program}, {{"md5list", false}}) << none << true
                                        << "no md5sum.list";
        QTest::newRow("md5sum.list names itself")
            << members({runSh, program}, {{"md5list", true}, {"listSelf", true}}) << none << true
            << "md5sum.list names itself";
        QTest::newRow("run.sh fails")
            << members({{{"name", "run.sh"}, {"data", "#!/bin/sh\nexit 3\n"}, {"mode", 0755}},
                        program}, {{"md5list", true}})
            << none << true << "run.sh failed";
        // Listed apart from the unsafe name, so that only the name is wrong.
        QTest::newRow("member above the package")
            << members({runSh, program, {{"name", "../../escaped"}, {"data", "x"}}},
                       {{"md5list", true}, {"unlisted", QJsonArray{"../../escaped"}}})
            << none << true << "unsafe member name";
        QTest::newRow("absolute member")
            << members({runSh, program, {{"name", "/tmp/printer-update-absolute"}, {"data", "x"}}},
                       {{"md5list", true}, {"unlisted", QJsonArray{"/tmp/printer-update-absolute"}}})
            << none << true << "unsafe member name";
        QTest::newRow("link member")
            << members({runSh, program, {{"name", "etc"}, {"type", "symlink"}, {"target", "/etc"}}}, {{"md5list", true}})
            << none << true << "not a regular file";
        // A whole package of its own, run.sh and md5sum.list included, as the
        // data of a file named like the package folder.
        const QJsonObject hidden = members({runSh, program}, {{"md5list", true}});
        for (const char *root : {".", "./"})
            QTest::addRow("member \"%s\" holding a package", root)
                << members({{{"name", root}, {"tar", hidden}}, runSh, program},
                           {{"md5list", true}, {"unlisted", QJsonArray{root}}})
                << none << true << "names the package folder";
        QTest::newRow("header with a wrong checksum")
            << members({runSh, program}, {{"md5list", true}, {"badChecksum", "bin/program"}}) << none << true
            << "wrong checksum";
        QTest::newRow("a package after the archive's end")
            << members({runSh, program}, {{"md5list", true}, {"after", QJsonObject{{"tar", good}}}}) << none << true
            << "after the archive's end";
        QTest::newRow("more members than a package holds")
            << members({runSh, program}, {{"md5list", true}, {"folders", 10000}}) << none << true << "members";
        QTest::newRow("run.sh not in md5sum.list")
            << members({runSh, program}, {{"md5list", true}, {"unlisted", QJsonArray{"run.sh"}}}) << none << true
            << "run.sh is not in md5sum.list";
        QTest::newRow("file not in md5sum.list")
            << members({runSh, program}, {{"md5list", true}, {"unlisted", QJsonArray{"bin/program"}}}) << none << true
            << "bin/program is not in md5sum.list";
        QTest::newRow("hidden file not in md5sum.list")
            << members({runSh, program, {{"name", ".profile"}, {"data", "x"}}},
                       {{"md5list", true}, {"unlisted", QJsonArray{".profile"}}})
            << none << true << ".profile is not in md5sum.list";
        QTest::newRow("version is a path") << good << QJsonObject{{"version", "../../1.1.0"}} << false << "";
        QTest::newRow("url is not https") << good << QJsonObject{{"url", "http://127.0.0.1/x"}} << false << "";
        // Whole strings only: a final newline is not part of a version,
        // a URL or a sum.
        QTest::newRow("version ends in a newline") << good << QJsonObject{{"version", "1.1.0\n"}} << false << "";
        QTest::newRow("url ends in a newline") << good << QJsonObject{{"url", "\n"}} << false << "";
        QTest::newRow("md5 ends in a newline") << good << QJsonObject{{"md5", "\n"}} << false << "";
        QTest::newRow("size beyond 64 bits") << good << QJsonObject{{"size", 1e19}} << false << "";
    }

    void failuresKeepTheOldVersion()
    {
        QFETCH(QJsonObject, recipe);
        QFETCH(QJsonObject, entryChange);
        QFETCH(bool, downloads);
        QFETCH(QString, reason);
        Bench bench;
        QJsonObject entry = bench.server.entry(bench.server.publish("software", "1.1.0", recipe));
        const QJsonObject asPublished = entry;
        // "\n" alone appends a newline to the published value.
        for (auto it = entryChange.begin(); it != entryChange.end(); ++it)
            entry[it.key()] = it.value() == "\n" ? QJsonValue(entry[it.key()].toString() + "\n") : it.value();
        bench.server.offer({entry});
        const CreationWatch store(bench.store());
        QVERIFY(store.watching());
        bench.manager->startChecker();
        if (downloads) {
            QTRY_COMPARE(int(bench.state()), int(DOWNLOADED));
            QCOMPARE(bench.manager->startInstallUpdatePackets(), -1);
        }
        QTRY_COMPARE(int(bench.state()), int(DOWNLOAD_ERROR));
        // Only the package's hidden staging folder was ever made in the store,
        // and it is gone again.
        for (const QString &name : store.created())
            QCOMPARE(name, QStringLiteral(".incoming-1.1.0"));

        QCOMPARE(bench.storeEntries(), QStringList{"1.0.0"});
        // Only a fully checked script runs.
        QVERIFY(!QFileInfo::exists(bench.root.path("/ran")));
        QCOMPARE(VersionDirs::latest(bench.store()), QStringLiteral("1.0.0"));
        QCOMPARE(bench.root.read("/opt/PROGRAM/software/1.0.0/run.sh"), QStringLiteral("old"));
        QVERIFY(!QFileInfo::exists(bench.root.path("/opt/escaped")));
        QVERIFY(!QFileInfo::exists(bench.root.path("/opt/PROGRAM/escaped")));
        QVERIFY(!QFileInfo::exists("/tmp/printer-update-absolute"));
        QVERIFY(QDir(UpdateManager::downloadFolder()).isEmpty());
        const bool refusedBeforeDownload = entry["version"] != asPublished["version"]
                                           || entry["url"] != asPublished["url"]
                                           || entry["md5"].toString().endsWith("\n")
                                           || entry["size"] != asPublished["size"];
        QCOMPARE(bench.server.requestsTo("GET", "/packages/").isEmpty(), refusedBeforeDownload);
        if (!refusedBeforeDownload) {
            QTRY_COMPARE(bench.lastFeedback()["result"].toString(), QStringLiteral("failure"));
            QVERIFY2(bench.lastFeedback()["message"].toString().contains(reason),
                     qPrintable(bench.lastFeedback()["message"].toString()));
        }
        // Nothing failed can be installed afterwards.
        QCOMPARE(bench.manager->startInstallUpdatePackets(), -1);
    }

    // A server that keeps sending past the size it announced is cut off at
    // that size: nothing is left behind, nothing is tried again.
    void endlessDownloadStopsAtTheAnnouncedSize()
    {
        Bench bench;
        const auto package = bench.server.publishScript("software", "1.1.0", "exit 0\n");
        bench.server.sendEndlessly();
        bench.server.offer({bench.server.entry(package)});
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), int(DOWNLOAD_ERROR));
        QVERIFY(QDir(UpdateManager::downloadFolder()).isEmpty());
        QCOMPARE(bench.server.requestsTo("GET", "/packages/").size(), 1);
        QCOMPARE(bench.storeEntries(), QStringList{"1.0.0"});
        QTRY_COMPARE(bench.lastFeedback()["result"].toString(), QStringLiteral("failure"));
    }

    // Without an announced size the store's free space less its reserve
    // bounds the transfer; the partial file goes, the settings stay writable.
    void endlessDownloadKeepsTheReserveFree()
    {
        Bench bench(QStringLiteral("1.0.0"), 40);
        if (!bench.smallStore->mounted())
            QSKIP("needs a small file system (tmpfs, as root)");
        const auto package = bench.server.publishScript("software", "1.1.0", "exit 0\n");
        bench.server.sendEndlessly();
        QJsonObject entry = bench.server.entry(package);
        entry.remove("size");
        bench.server.offer({entry});
        const qint64 freeAtStart = bench.smallStore->freeBytes();
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), int(DOWNLOAD_ERROR));
        QVERIFY(QDir(UpdateManager::downloadFolder()).isEmpty());
        // The transfer was cut where the reserve begins, as reported.
        QTRY_COMPARE(bench.lastFeedback()["result"].toString(), QStringLiteral("failure"));
        const QRegularExpressionMatch cut =
            QRegularExpression("more than (\\d+) bytes").match(bench.lastFeedback()["message"].toString());
        QVERIFY(cut.hasMatch());
        QVERIFY(cut.captured(1).toLongLong() > 0);
        QVERIFY(cut.captured(1).toLongLong() <= freeAtStart - PackageInstaller::FreeSpaceReserve);
        getConfigFile()->configFile()->setPrinterSerialNumber("still writable");
        getConfigFile()->configFile()->reload();
        QCOMPARE(getConfigFile()->configFile()->getPrinterSerialNumber(), std::string("still writable"));
        QCOMPARE(bench.storeEntries(), QStringList{"1.0.0"});
    }

    // A small package that unpacks or inflates to more than the store can
    // spare is refused before it fills the store: also when each of its
    // files alone would fit, and whatever the inflated bytes are (headers,
    // padding after the archive's end).
    void oversizedUnpackIsRefused_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::newRow("one file larger than the spare bytes") << "one file";
        QTest::newRow("two files that fit only one by one") << "two files";
        QTest::newRow("pax headers inflate past the spare bytes") << "pax headers";
        QTest::newRow("zeros after the archive's end past the spare bytes") << "zeros after the end";
    }

    void oversizedUnpackIsRefused()
    {
        QFETCH(QString, shape);
        Bench bench(QStringLiteral("1.0.0"), 40);
        if (!bench.smallStore->mounted())
            QSKIP("needs a small file system (tmpfs, as root)");
        const qint64 spare = bench.smallStore->freeBytes() - PackageInstaller::FreeSpaceReserve;
        QJsonObject recipe{{"md5list", true}};
        QJsonArray list{runSh};
        if (shape == "one file") {
            list << QJsonObject{{"name", "bin/large"}, {"zeros", qint64(spare * 1.05)}};
        } else if (shape == "two files") {
            for (int i = 0; i < 2; ++i)
                list << QJsonObject{{"name", QStringLiteral("bin/large%1").arg(i)}, {"zeros", qint64(spare * 0.6)}};
        } else if (shape == "pax headers") {
            // Empty files, each after a pax header of 60,000 bytes: only a
            // few blocks on disk.
            for (qint64 padded = 0; padded < spare * 1.05; padded += 60000)
                list << QJsonObject{{"name", QStringLiteral("pad/%1").arg(padded)}, {"paxPad", 60000}};
        } else {
            recipe["after"] = QJsonObject{{"zeros", qint64(spare * 1.05)}};
        }
        recipe["members"] = list;
        const auto package = bench.server.publish("software", "1.1.0", recipe);
        QVERIFY(package.size < 1024 * 1024);
        bench.server.offer({bench.server.entry(package)});
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), int(DOWNLOADED));
        const qint64 freeBefore = bench.smallStore->freeBytes() + package.size; // the archive goes too

        QCOMPARE(bench.manager->startInstallUpdatePackets(), -1);
        QCOMPARE(int(bench.state()), int(DOWNLOAD_ERROR));
        QCOMPARE(bench.storeEntries(), QStringList{"1.0.0"});
        QCOMPARE(bench.root.read("/opt/PROGRAM/software/1.0.0/run.sh"), QStringLiteral("old"));
        QVERIFY(!QFileInfo::exists(bench.root.path("/ran")));
        QVERIFY(QDir(UpdateManager::downloadFolder()).isEmpty());
        QVERIFY(bench.smallStore->freeBytes() >= freeBefore - 64 * 1024);
        QTRY_VERIFY2(bench.lastFeedback()["message"].toString().contains("bytes free"),
                     qPrintable(bench.lastFeedback()["message"].toString()));
    }

    // Until the server answers the checker tries again, ever less often, with
    // one log line per outage; once it has answered it waits (12 hours)
    // unless asked, and a request wakes it at once.
    void checkerRetriesUntilAnsweredAndWakesOnRequest()
    {
        const QString outage = QStringLiteral("cannot be reached");
        qInstallMessageHandler(keepMessage);
        Bench bench;
        const std::string live = bench.server.url().toStdString();
        getConfigFile()->configFile()->setUpdateServer("https://127.0.0.1:1");
        bench.server.goDown();
        bench.manager->startChecker();
        // Nothing listens there: only further tries reach the server once the
        // address is right, and it answers 503 a few times.
        getConfigFile()->configFile()->setUpdateServer(live);
        QTRY_VERIFY(bench.server.requestsTo("PUT", "/update").size() >= 3);
        QCOMPARE(int(bench.state()), int(CHECK_UPDATE));
        QCOMPARE(messagesContaining(outage), 1);

        bench.server.offer({});
        QTRY_COMPARE(int(bench.state()), int(THE_LATEST_VERSION));
        const int asked = bench.server.requestsTo("PUT", "/update").size();
        bench.manager->setCheckUpdateStatus(true);
        QTRY_COMPARE(bench.server.requestsTo("PUT", "/update").size(), asked + 1);

        // A new outage after an answer is logged again, once, and the tries
        // grow apart. A slower clock here keeps the time a try itself takes
        // small beside the waits.
        TimeScale::setFactor(0.05);
        const auto gaps = [&](int from, int count) {
            const QList<QJsonObject> tries = bench.server.requestsTo("PUT", "/update").mid(from, count);
            QList<double> out;
            for (int i = 1; i < tries.size(); ++i)
                out << tries[i]["time"].toDouble() - tries[i - 1]["time"].toDouble();
            return out;
        };
        bench.server.goDown();
        bench.manager->setCheckUpdateStatus(true);
        QTRY_VERIFY_WITH_TIMEOUT(bench.server.requestsTo("PUT", "/update").size() >= asked + 6, 60000);
        QCOMPARE(messagesContaining(outage), 2);
        const QList<double> outageGaps = gaps(asked, 6);
        QVERIFY2(outageGaps.last() > 3 * outageGaps.first(), qPrintable(QString::number(outageGaps.last())));

        // An answer ends the outage: the next one starts with a short wait.
        bench.manager->setCurrentFirmwareUpdateProcess(CHECK_UPDATE);
        bench.server.offer({});
        bench.manager->setCheckUpdateStatus(true);
        QTRY_COMPARE_WITH_TIMEOUT(int(bench.state()), int(THE_LATEST_VERSION), 60000);
        const int answered = bench.server.requestsTo("PUT", "/update").size();
        bench.server.goDown();
        bench.manager->setCheckUpdateStatus(true);
        QTRY_VERIFY_WITH_TIMEOUT(bench.server.requestsTo("PUT", "/update").size() >= answered + 2, 60000);
        QVERIFY2(3 * gaps(answered, 2).first() < outageGaps.last(), qPrintable(QString::number(gaps(answered, 2).first())));
        TimeScale::setFactor(0.01);
        qInstallMessageHandler(nullptr);
    }

    // A transfer stuck halfway ends as soon as its owner stops asking for it,
    // and the partial file stays for a later resume.
    void stoppingAbortsAStuckTransfer()
    {
        Bench bench;
        const auto package = bench.server.publishScript("software", "1.1.0", "exit 0\n");
        bench.server.holdAfter(package.size / 2);
        tmupserver::UpServerClient client(bench.server.url().toStdString(), bench.server.certificate().toStdString());
        std::atomic<bool> keepGoing{true};
        client.setKeepGoing([&keepGoing] { return keepGoing.load(); });
        const QString part = bench.root.path("/download.part");
        std::atomic<int> outcome{-1};
        std::thread transfer([&] {
            std::string error;
            outcome = int(client.download((bench.server.url() + "/packages/" + package.file).toStdString(),
                                          part.toStdString(), package.size, {}, error));
        });
        QTRY_COMPARE(QFileInfo(part).size(), package.size / 2);
        keepGoing = false;
        transfer.join();
        bench.server.release();
        QCOMPARE(outcome.load(), int(tmupserver::Outcome::Aborted));
        QCOMPARE(QFileInfo(part).size(), package.size / 2);
    }

    // Ending the manager aborts a transfer that is stuck halfway.
    void destroyingAbortsADownload()
    {
        Bench bench;
        const auto package = bench.server.publishScript("software", "1.1.0", "exit 0\n");
        bench.server.holdAfter(package.size / 2);
        bench.server.offer({bench.server.entry(package)});
        bench.manager->startChecker();
        QTRY_COMPARE(int(bench.state()), int(DOWNLOADING));
        QTRY_VERIFY(QFileInfo(UpdateManager::downloadFolder() + "/software-1.1.0.tar.gz.part").size() > 0);
        bench.manager.reset();
        bench.server.release();
    }
};

QTEST_GUILESS_MAIN(TestUpdateManager)
#include "tst_updatemanager.moc"
