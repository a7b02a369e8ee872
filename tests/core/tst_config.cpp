#include "calibrationalgorithm.h"
#include "config.h"
#include "getconfigfile.h"
#include "jsontext.h"
#include "sysroot.h"

#include <QtTest>

#include <json/json.h>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool parseJson(const QByteArray &text, Json::Value *out)
{
    std::string error;
    return JsonText::parse(text.toStdString(), *out, error) && out->isObject();
}

// What stands at `path`: a regular file's content, else its kind; never
// opens anything but a regular file.
QByteArray whatIsAt(const QString &path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return "nothing";
    if (S_ISFIFO(status.st_mode))
        return "a FIFO";
    if (S_ISDIR(status.st_mode))
        return "a folder";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

// Changes settings on a thread of its own, without a pause, until destroyed.
class ChangeStream {
public:
    explicit ChangeStream(std::function<void(int)> change)
        : m_thread([this, change] {
            for (int i = 1; !m_stop; ++i)
                change(i);
        })
    {
    }
    ~ChangeStream()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The settings writer program (settingswriter.cpp), killed however the test
// leaves its scope.
class WriterProcess {
public:
    WriterProcess(const QString &root, const QString &mode)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(SETTINGS_WRITER_BINARY, {root, mode});
    }
    ~WriterProcess() { killNow(); }
    bool started() { return m_process.waitForStarted(kTryWaitMs); }
    bool running() const { return m_process.state() == QProcess::Running; }
    bool exitedCleanly()
    {
        return m_process.waitForFinished(kTryWaitMs) && m_process.exitStatus() == QProcess::NormalExit
               && m_process.exitCode() == 0;
    }
    // SIGKILL, as a power cut: no handler, no exit path runs.
    void killNow()
    {
        m_process.kill();
        m_process.waitForFinished(kTryWaitMs);
    }

private:
    QProcess m_process;
};

} // namespace

class TestConfig : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_root;
    Config *config() { return getConfigFile()->configFile(); }
    QString settingsPath() const { return m_root->path() + "/opt/PROGRAM/config/config.json"; }

    QByteArray readSettings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeSettings(const QByteArray &text)
    {
        QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    Json::Value settingsOnDisk() const
    {
        Json::Value root;
        parseJson(readSettings(), &root);
        return root;
    }

private slots:
    void init()
    {
        if (m_root)
            config()->flush(); // not into the folder about to go
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        SysRoot::setRoot(m_root->path());
        config()->reload();
    }

    void gettersWriteTheirDefaultsBack()
    {
        QVERIFY(!QFile::exists(settingsPath()));
        QVERIFY(config()->getBuzzerStatus() && config()->getFilamentDetect() && config()->getLedStatus()
                && config()->getPowerOffResumePrintStatus());
        // A printer fresh from the factory joins no network by itself.
        QVERIFY(!config()->getMotorStatus() && !config()->getAutoSwitch() && !config()->getWifiHotspotStatus()
                && !config()->getWifiStationStatus());
        QCOMPARE(config()->getPrinterLanguage(), std::string("english"));
        QCOMPARE(config()->getPrinterSerialNumber(), std::string("123456"));
        QCOMPARE(config()->getPrinterTotalTime(), 0);
        QCOMPARE(config()->getAutoPoint(9), 0.0f);
        QCOMPARE(QVector<int>({config()->getPLANozzleTemperature(), config()->getPLAPlatformTemperature(),
                               config()->getABSNozzleTemperature(), config()->getABSPlatformTemperature()}),
                 QVector<int>({200, 60, 230, 100}));
        QCOMPARE(QVector<int>({config()->getTransmissionRatioX(), config()->getTransmissionRatioY(),
                               config()->getTransmissionRatioZ(), config()->getTransmissionRatioE()}),
                 QVector<int>({80, 80, 400, 93}));

        // Written once, a moment later, for all of them.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(settingsPath()), 60000);
        const Json::Value disk = settingsOnDisk();
        QCOMPARE(disk["general"]["buzzerStatus"].asBool(), true);
        QCOMPARE(disk["general"]["printerLanguage"].asString(), std::string("english"));
        QCOMPARE(disk["general"]["ratioZ"].asInt(), 400);
        QCOMPARE(disk["temperature"]["ABSNozzleTemperature"].asInt(), 230);
        QVERIFY(disk["autoCalibration"]["point9"].isNumeric());
        QVERIFY(disk["autoCalibration"]["status"].isBool());
        QVERIFY(disk["network"]["wifiHotspotStatus"].isBool());
        QCOMPARE(disk["network"]["wifiStationStatus"], Json::Value(false));
    }

    void settersSurviveAReload()
    {
        config()->setBuzzerStatus(false);
        config()->setPrinterLanguage("german");
        config()->setPrinterSerialNumber("SN 42");
        config()->setPrintDetail(210, 65, 120, -15);
        config()->setTransmissionRatio(81, 82, 401, 94);
        config()->setAutoPoint3(-0.25f);
        config()->setWifiStationStatus(true);
        config()->setFilamentCumulative(1234.5);
        config()->setPrinterTotalTime(30);
        config()->setPrinterTotalTime(15);

        // On the medium once flush() says so, without a reload.
        QVERIFY(config()->flush());
        const Json::Value disk = settingsOnDisk();
        QCOMPARE(disk["general"]["printerLanguage"].asString(), std::string("german"));
        QCOMPARE(disk["general"]["printerSerialNumber"].asString(), std::string("SN 42"));
        QCOMPARE(disk["general"]["zOffset"].asInt(), -15);
        QCOMPARE(disk["general"]["ratioE"].asInt(), 94);
        QCOMPARE(disk["general"]["printerTotalTime"].asInt(), 45);

        config()->reload();
        QCOMPARE(config()->getBuzzerStatus(), false);
        QCOMPARE(config()->getPrinterLanguage(), std::string("german"));
        QCOMPARE(config()->getPrinterSerialNumber(), std::string("SN 42"));
        QCOMPARE(config()->getExtruderTemp(), 210);
        QCOMPARE(config()->getPlateTemp(), 65);
        QCOMPARE(config()->getPrintSpeed(), 120);
        QCOMPARE(config()->getZOffset(), -15);
        QCOMPARE(config()->getTransmissionRatioX(), 81);
        QCOMPARE(config()->getTransmissionRatioE(), 94);
        QCOMPARE(config()->getAutoPoint(3), -0.25f);
        QCOMPARE(config()->getWifiStationStatus(), true);
        QCOMPARE(config()->getFilamentCumulative(), 1234.5);
        QCOMPARE(config()->getPrinterTotalTime(), 45); // the setter adds
        // and stops at the largest count instead of wrapping round
        config()->setPrinterTotalTime(std::numeric_limits<int>::max());
        config()->setPrinterTotalTime(5);
        QCOMPARE(config()->getPrinterTotalTime(), std::numeric_limits<int>::max());
    }

    void wrongTypedKeysReadAsDefaultAndAreRepaired()
    {
        writeSettings(R"({"general": {"buzzerStatus": "yes", "ratioX": "eighty", "ratioY": 70,
                          "printerLanguage": 5, "printerTotalTime": -1000, "powerOffResumePrintTime": -5},
                          "temperature": [1, 2], "autoCalibration": {"point2": 1}, "log": {"keep": "me"}})");
        config()->reload();
        // Out of range reads as the nearest in range; a count goes on from there.
        QCOMPARE(config()->getPrinterTotalTime(), 0);
        config()->setPrinterTotalTime(1);
        QCOMPARE(config()->getPrinterTotalTime(), 1);
        QCOMPARE(config()->getPowerOffResumePrintTime(), 0);
        QCOMPARE(config()->getBuzzerStatus(), true);
        QCOMPARE(config()->getTransmissionRatioX(), 80);
        QCOMPARE(config()->getTransmissionRatioY(), 70);
        QCOMPARE(config()->getPrinterLanguage(), std::string("english"));
        QCOMPARE(config()->getPLAPlatformTemperature(), 60);
        QCOMPARE(config()->getAutoPoint(2), 1.0f); // an integer is a number too

        config()->flush();
        const Json::Value disk = settingsOnDisk();
        QVERIFY(disk["general"]["buzzerStatus"].isBool());
        QCOMPARE(disk["general"]["ratioX"].asInt(), 80);
        QCOMPARE(disk["temperature"]["PLAPlatformTemperature"].asInt(), 60);
        QCOMPARE(disk["log"]["keep"].asString(), std::string("me")); // unknown keys survive
    }

    // Whatever the file holds, the store comes up: what it cannot use is
    // kept aside and the defaults take its place.
    void unusableFileIsKeptAsideAndDefaultsUsed_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QTest::newRow("cut off") << QByteArray("{\"general\": {\"buzzerStatus\": fal");
        QTest::newRow("nested deeper than any setting")
            << "{\"general\":" + QByteArray(1000, '[') + QByteArray(1000, ']') + "}";
        QTest::newRow("not an object") << QByteArray("[true]");
        QTest::newRow("larger than any settings file")
            << "{\"general\": {\"printerSerialNumber\": \"" + QByteArray(300 * 1024, 'x') + "\"}}";
    }

    void unusableFileIsKeptAsideAndDefaultsUsed()
    {
        QFETCH(QByteArray, garbage);
        writeSettings(garbage);
        config()->reload();
        QFile aside(settingsPath() + ".corrupt");
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), garbage);
        QCOMPARE(config()->getBuzzerStatus(), true);
        config()->flush();
        Json::Value disk;
        QVERIFY(parseJson(readSettings(), &disk));
    }

    // A settings file that cannot be read (no descriptor left, which even
    // root meets) or is not a regular file is not a damaged one: the run goes
    // on with the defaults and leaves it, language and all, for the next
    // start. A FIFO in its place must not hold start-up waiting for a writer.
    void unreadableFileIsLeftAsItIs_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("no descriptor left") << "descriptors";
        QTest::newRow("a FIFO in its place") << "fifo";
        QTest::newRow("a folder in its place") << "folder";
    }

    void unreadableFileIsLeftAsItIs()
    {
        QFETCH(QString, obstacle);
        config()->setPrinterLanguage("german");
        QVERIFY(config()->flush());
        const QByteArray path = QFile::encodeName(settingsPath());
        if (obstacle == "fifo")
            QVERIFY(QFile::remove(settingsPath()) && ::mkfifo(path.constData(), 0600) == 0);
        if (obstacle == "folder")
            QVERIFY(QFile::remove(settingsPath()) && QDir().mkpath(settingsPath()));
        const QByteArray before = whatIsAt(settingsPath());
        rlimit saved{};
        getrlimit(RLIMIT_NOFILE, &saved);
        if (obstacle == "descriptors") {
            const int lowestFree = ::open("/dev/null", O_RDONLY);
            ::close(lowestFree);
            const rlimit none{static_cast<rlim_t>(lowestFree), saved.rlim_max};
            setrlimit(RLIMIT_NOFILE, &none);
        }
        auto reloaded = std::async(std::launch::async, [this] { config()->reload(); });
        const bool returned = reloaded.wait_for(std::chrono::milliseconds(kTryWaitMs)) == std::future_status::ready;
        setrlimit(RLIMIT_NOFILE, &saved);
        if (!returned) {
            // A writer end lets a reader stuck on the FIFO go, and the test end.
            ::close(::open(path.constData(), O_WRONLY | O_NONBLOCK));
            reloaded.wait();
            QFAIL("reading the settings waits on what stands in place of the file");
        }
        QCOMPARE(config()->getPrinterLanguage(), std::string("english"));
        config()->setPrinterSerialNumber("SN 9");
        QVERIFY(!config()->flush());
        QCOMPARE(whatIsAt(settingsPath()), before);
        QVERIFY(!QFile::exists(settingsPath() + ".corrupt"));
    }

    // A change is on the medium a moment after its setter returns, with no
    // later event to carry it: the writer process is killed, as a power cut
    // would stop it, as soon as the file holds its changes. A process that
    // ends right after a change ends after its write.
    void aChangeSurvivesAKillOrAnExit_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("killed") << "change";
        QTest::newRow("exits at once") << "exit";
    }

    void aChangeSurvivesAKillOrAnExit()
    {
        QFETCH(QString, end);
        WriterProcess writer(m_root->path(), end);
        QVERIFY(writer.started());
        if (end == "exit") {
            QVERIFY(writer.exitedCleanly());
        } else {
            QTRY_VERIFY(settingsOnDisk()["general"]["printerLanguage"].asString() == "german"
                        && settingsOnDisk()["temperature"]["PLANozzleTemperature"].asInt() == 215
                        && settingsOnDisk()["network"]["wifiStationStatus"].asBool()
                        && settingsOnDisk()["autoCalibration"]["point3"].asFloat() == 0.5f);
            QVERIFY(writer.running());
            writer.killNow();
        }

        config()->reload();
        QCOMPARE(config()->getPrinterLanguage(), std::string("german"));
        QCOMPARE(config()->getPLANozzleTemperature(), 215);
        QCOMPARE(config()->getWifiStationStatus(), true);
        QCOMPARE(config()->getAutoPoint(3), 0.5f);
    }

    // Changes that never pause are still written, again and again: each
    // write carries what came while the one before ran.
    void aSteadyStreamOfChangesIsWritten()
    {
        config()->setPowerOffResumePrintTime(0);
        QVERIFY(config()->flush());
        auto onDisk = [this] { return settingsOnDisk()["general"]["powerOffResumePrintTime"].asInt(); };
        ChangeStream stream([this](int i) { config()->setPowerOffResumePrintTime(i); });
        QTRY_VERIFY(onDisk() > 0);
        const int first = onDisk();
        QTRY_VERIFY(onDisk() > first);
    }

    void killedWriterNeverLeavesATornFile()
    {
        config()->setPrinterSerialNumber("0");
        config()->setTransmissionRatio(0, 0, 0, 0);
        QVERIFY(config()->flush());
        QRandomGenerator random(20240607);
        for (int round = 0; round < 15; ++round) {
            // Each round writes the serial number, then the ratios, so any
            // saved state holds ratio == serial or serial - 1.
            WriterProcess writer(m_root->path(), "stream");
            QVERIFY(writer.started());
            bool started = false;
            QDeadlineTimer startDeadline(kTryWaitMs);
            while (!started && !startDeadline.hasExpired()) {
                Json::Value disk;
                QVERIFY2(parseJson(readSettings(), &disk), "torn file while the writer runs");
                started = disk["general"]["printerSerialNumber"].asString() != "0";
            }
            QVERIFY(started);
            usleep(static_cast<useconds_t>(random.bounded(3000)));
            writer.killNow();

            Json::Value disk;
            QVERIFY2(parseJson(readSettings(), &disk), "torn file after the kill");
            const int serial = std::stoi(disk["general"]["printerSerialNumber"].asString());
            const int ratio = disk["general"]["ratioX"].asInt();
            QVERIFY(ratio == serial || ratio == serial - 1);
            QCOMPARE(disk["general"]["ratioE"].asInt(), ratio);
            config()->reload();
            config()->setPrinterSerialNumber("0");
            config()->setTransmissionRatio(0, 0, 0, 0);
            QVERIFY(config()->flush());
        }
    }

    void concurrentSettersLoseNothing()
    {
        const int threads = 8;
        const int additions = 60;
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([this] {
                for (int i = 0; i < additions; ++i)
                    config()->setPrinterTotalTime(1);
            });
        }
        workers.emplace_back([this] {
            for (int i = 0; i < additions; ++i)
                config()->setPrintDetail(i, i, i, i);
        });
        for (std::thread &worker : workers)
            worker.join();
        QCOMPARE(config()->getPrinterTotalTime(), threads * additions);
        config()->reload();
        QCOMPARE(config()->getPrinterTotalTime(), threads * additions);
        QCOMPARE(config()->getZOffset(), additions - 1);
    }

    void calibrationDeviationIsTheSpreadOfNinePoints_data()
    {
        QTest::addColumn<QVector<float>>("points"); // none: untouched
        QTest::addColumn<float>("deviation");
        QTest::newRow("measured") << QVector<float>{0.10f, -0.20f, 0.05f, 0.30f, 0.0f, -0.05f, 0.15f, 0.2f, 0.25f}
                                  << 0.50f;
        QTest::newRow("untouched: a flat bed") << QVector<float>() << 0.0f;
        QTest::newRow("within the probing range")
            << QVector<float>{19.9f, 0, 0, 0, -19.9f, 0, 0, 0, 0} << 39.8f;
        // What the probing cannot give leaves the bed uncalibrated.
        QTest::newRow("at the lift") << QVector<float>{0.1f, 0, 0, 0, 20.0f, 0, 0, 0, 0} << 0.0f;
        QTest::newRow("as far below") << QVector<float>{0.1f, 0, 0, 0, -20.0f, 0, 0, 0, 0} << 0.0f;
        QTest::newRow("far below") << QVector<float>{0.1f, 0, 0, 0, 0, 0, 0, 0, -50.0f} << 0.0f;
        QTest::newRow("a metre up") << QVector<float>{1000.0f, 0, 0, 0, 0.2f, 0, 0, 0, 0} << 0.0f;
    }

    void calibrationDeviationIsTheSpreadOfNinePoints()
    {
        QFETCH(QVector<float>, points);
        QFETCH(float, deviation);
        static constexpr void (Config::*setters[])(float) = {
            &Config::setAutoPoint1, &Config::setAutoPoint2, &Config::setAutoPoint3,
            &Config::setAutoPoint4, &Config::setAutoPoint5, &Config::setAutoPoint6,
            &Config::setAutoPoint7, &Config::setAutoPoint8, &Config::setAutoPoint9};
        for (int i = 0; i < points.size(); ++i)
            (config()->*setters[i])(points[i]);
        CalibrationAlgorithm calibration;
        calibration.initCalibrationAlgorithm();
        QVERIFY2(qAbs(calibration.getdeviationAbsoluteValue() - deviation) < 1e-4f,
                 qPrintable(QString::number(calibration.getdeviationAbsoluteValue())));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
