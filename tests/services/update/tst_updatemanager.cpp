// The update manager against the local HTTPS update server, in a sandbox
// root: checks, resumed downloads, MD5 checks, installation and every way an
// update can fail without harming the installed version.
#include "../sandboxroot.h"
#include "config.h"
#include "getconfigfile.h"
#include "timescale.h"
#include "update/updatemanager.h"
#include "updateserver.h"
#include "versiondirs.h"

#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

Q_DECLARE_METATYPE(QJsonObject)

namespace {

struct Bench {
    SandboxRoot root;
    TestUpdateServer server;
    std::unique_ptr<UpdateManager> manager;

    explicit Bench(const QString &installedSoftware = QStringLiteral("1.0.0"))
    {
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

const QJsonObject runSh{{"name", "run.sh"}, {"data", "#!/bin/sh\nexit 0\n"}, {"mode", 0755}};
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
        QCOMPARE(found.count(), 1);

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

    // Each of these ends in DOWNLOAD_ERROR with the installed version the
    // newest in the store and nothing of the new one left behind.
    void failuresKeepTheOldVersion_data()
    {
        QTest::addColumn<QJsonObject>("recipe");
        QTest::addColumn<QJsonObject>("entryChange");
        QTest::addColumn<bool>("downloads");
        const QJsonObject none;
        QTest::newRow("archive does not match its MD5 sum")
            << members({runSh, program}, {{"md5list", true}})
            << QJsonObject{{"md5", "0123456789abcdef0123456789abcdef"}} << false;
        QTest::newRow("file does not match md5sum.list")
            << members({runSh, program}, {{"md5list", true}, {"md5override", QJsonObject{{"bin/program", QString(32, 'a')}}}})
            << none << true;
        QTest::newRow("no md5sum.list") << members({runSh, program}, {{"md5list", false}}) << none << true;
        QTest::newRow("run.sh fails")
            << members({{{"name", "run.sh"}, {"data", "#!/bin/sh\ntouch \"$PRINTER_SYSROOT/ran\"\nexit 3\n"}, {"mode", 0755}},
                        program}, {{"md5list", true}})
            << none << true;
        QTest::newRow("member above the package")
            << members({runSh, program, {{"name", "../../escaped"}, {"data", "x"}}}, {{"md5list", false}}) << none << true;
        QTest::newRow("absolute member")
            << members({runSh, program, {{"name", "/tmp/printer-update-absolute"}, {"data", "x"}}}, {{"md5list", false}})
            << none << true;
        QTest::newRow("link member")
            << members({runSh, program, {{"name", "etc"}, {"type", "symlink"}, {"target", "/etc"}}}, {{"md5list", true}})
            << none << true;
        QTest::newRow("version is a path")
            << members({runSh, program}, {{"md5list", true}}) << QJsonObject{{"version", "../../1.1.0"}} << false;
        QTest::newRow("url is not https")
            << members({runSh, program}, {{"md5list", true}}) << QJsonObject{{"url", "http://127.0.0.1/x"}} << false;
    }

    void failuresKeepTheOldVersion()
    {
        QFETCH(QJsonObject, recipe);
        QFETCH(QJsonObject, entryChange);
        QFETCH(bool, downloads);
        Bench bench;
        QJsonObject entry = bench.server.entry(bench.server.publish("software", "1.1.0", recipe));
        for (auto it = entryChange.begin(); it != entryChange.end(); ++it)
            entry[it.key()] = it.value();
        bench.server.offer({entry});
        bench.manager->startChecker();
        if (downloads) {
            QTRY_COMPARE(int(bench.state()), int(DOWNLOADED));
            QCOMPARE(bench.manager->startInstallUpdatePackets(), -1);
        }
        QTRY_COMPARE(int(bench.state()), int(DOWNLOAD_ERROR));

        QCOMPARE(bench.storeEntries(), QStringList{"1.0.0"});
        QCOMPARE(VersionDirs::latest(bench.store()), QStringLiteral("1.0.0"));
        QCOMPARE(bench.root.read("/opt/PROGRAM/software/1.0.0/run.sh"), QStringLiteral("old"));
        QVERIFY(!QFileInfo::exists(bench.root.path("/opt/escaped")));
        QVERIFY(!QFileInfo::exists(bench.root.path("/opt/PROGRAM/escaped")));
        QVERIFY(!QFileInfo::exists("/tmp/printer-update-absolute"));
        QVERIFY(QDir(UpdateManager::downloadFolder()).isEmpty());
        const bool refusedBeforeDownload = entry["version"] != "1.1.0" || entry["url"].toString().startsWith("http:");
        QCOMPARE(bench.server.requestsTo("GET", "/packages/").isEmpty(), refusedBeforeDownload);
        if (!refusedBeforeDownload)
            QTRY_COMPARE(bench.lastFeedback()["result"].toString(), QStringLiteral("failure"));
        // Nothing failed can be installed afterwards.
        QCOMPARE(bench.manager->startInstallUpdatePackets(), -1);
    }

    // Until the server answers the checker tries again and again; once it has
    // answered it waits (12 hours) unless asked, and a request wakes it at once.
    void checkerRetriesUntilAnsweredAndWakesOnRequest()
    {
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

        bench.server.offer({});
        QTRY_COMPARE(int(bench.state()), int(THE_LATEST_VERSION));
        const int asked = bench.server.requestsTo("PUT", "/update").size();
        bench.manager->setCheckUpdateStatus(true);
        QTRY_COMPARE(bench.server.requestsTo("PUT", "/update").size(), asked + 1);
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
