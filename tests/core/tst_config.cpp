#include "calibrationalgorithm.h"
#include "config.h"
#include "getconfigfile.h"
#include "jsontext.h"
#include "sysroot.h"

#include <QtTest>

#include <json/json.h>

#include <memory>
#include <thread>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <limits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool parseJson(const QByteArray &text, Json::Value *out)
{
    std::string error;
    return JsonText::parse(text.toStdString(), *out, error) && out->isObject();
}

// Kills and reaps the writer child however the test leaves its scope.
struct ChildKiller {
    pid_t pid;
    ~ChildKiller()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
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

    // A settings file that cannot be opened (no descriptor left, which even
    // root meets) is not a damaged one: the run goes on with the defaults
    // and leaves the file, language and all, for the next start.
    void unreadableFileIsLeftAsItIs()
    {
        config()->setPrinterLanguage("german");
        config()->flush();
        const QByteArray before = readSettings();
        rlimit saved{};
        getrlimit(RLIMIT_NOFILE, &saved);
        const int lowestFree = ::open("/dev/null", O_RDONLY);
        ::close(lowestFree);
        const rlimit none{static_cast<rlim_t>(lowestFree), saved.rlim_max};
        setrlimit(RLIMIT_NOFILE, &none);
        config()->reload();
        setrlimit(RLIMIT_NOFILE, &saved);
        QCOMPARE(config()->getPrinterLanguage(), std::string("english"));
        config()->setPrinterSerialNumber("SN 9");
        QCOMPARE(readSettings(), before);
        QVERIFY(!QFile::exists(settingsPath() + ".corrupt"));
    }

    void killedWriterNeverLeavesATornFile()
    {
        config()->setPrinterSerialNumber("0");
        config()->setTransmissionRatio(0, 0, 0, 0);
        QRandomGenerator random(20240607);
        for (int round = 0; round < 15; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // Each round writes the serial number, then the ratios, so
                // any saved state holds ratio == serial or serial - 1.
                for (int i = 1;; ++i) {
                    config()->setPrinterSerialNumber(std::to_string(i));
                    config()->setTransmissionRatio(i, i, i, i);
                }
            }
            ChildKiller killer{child};
            bool started = false;
            QDeadlineTimer startDeadline(10000);
            while (!started && !startDeadline.hasExpired()) {
                Json::Value disk;
                QVERIFY2(parseJson(readSettings(), &disk), "torn file while the writer runs");
                started = disk["general"]["printerSerialNumber"].asString() != "0";
            }
            QVERIFY(started);
            usleep(static_cast<useconds_t>(random.bounded(3000)));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            killer.pid = 0;

            Json::Value disk;
            QVERIFY2(parseJson(readSettings(), &disk), "torn file after the kill");
            const int serial = std::stoi(disk["general"]["printerSerialNumber"].asString());
            const int ratio = disk["general"]["ratioX"].asInt();
            QVERIFY(ratio == serial || ratio == serial - 1);
            QCOMPARE(disk["general"]["ratioE"].asInt(), ratio);
            config()->reload();
            config()->setPrinterSerialNumber("0");
            config()->setTransmissionRatio(0, 0, 0, 0);
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
