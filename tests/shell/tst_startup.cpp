#include "config.h"
#include "getconfigfile.h"
#include "jsontext.h"
#include "language.h"
#include "printertranslations.h"
#include "serialobject.h"
#include "simfixture.h"
#include "startup.h"
#include "sysroot.h"
#include "timescale.h"
#include "updateserver.h"
#include "wifiair.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTranslator>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Json::Value settingsValue(const QString &path, const char *section, const char *key)
{
    Json::Value root;
    std::string error;
    if (!JsonText::parse(readFile(path).toStdString(), root, error) || !root.isObject() || !root[section].isObject())
        return Json::Value();
    return root[section][key];
}

// The program's binary started on a sandbox root, in fast mode, without a
// screen, its messages in the sandbox's log; stopped when the run ends.
class ProgramRun {
public:
    explicit ProgramRun(const QString &root)
        : m_root(root)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PRINTER_SYSROOT", root);
        env.insert("PRINTER_TIME_SCALE", "0.01");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(PRINTER_UI_BINARY, {"-1", "-D"});
        m_process.waitForStarted(kTryWaitMs);
    }

    ~ProgramRun()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    QProcess::ProcessState state() const { return m_process.state(); }
    QString log() const { return QString::fromUtf8(readFile(m_root + "/opt/PROGRAM/log/printer-ui.log")); }

private:
    QString m_root;
    QProcess m_process;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterTranslations();
    }

    void healthyBoardGetsLineTestAndStop()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        fx.board().delayReplyOnce("M103", 500); // slow to answer its first frame: nothing to repair
        QCOMPARE(Startup::bringUpBoard(&link), Startup::LinkState::Ready);
        // The link opens the board with the modes it assumes.
        QCOMPARE(fx.motionCommands(), (QStringList{"G90", "M82", "M103", "M103", "M103", "M112", "M112", "M18"}));
        QVERIFY(fx.sandbox().standinCalls().isEmpty());
    }

    void boardWithoutOkIsReflashedFromTheNewestPackage()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        const QString control = fx.root() + "/opt/PROGRAM/control/";
        // Only whole a.b.c names are versions.
        for (const char *v : {"1.0.15", "1.1.0", "1.0.9", "9.0.0\n", "9.0.0 ", "+9.0.0"}) {
            QDir().mkpath(control + v);
            QFile f(control + v + "/image.bin");
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        fx.board().setM112Reply("error");
        SerialObject link("/dev/ttyS2", 131);
        QCOMPARE(Startup::bringUpBoard(&link), Startup::LinkState::Reflashed);
        QCOMPARE(fx.motionCommands(), (QStringList{"G90", "M82", "M103", "M103", "M103", "M112", "M112"}));
        const QList<QStringList> calls = fx.sandbox().standinCalls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0], (QStringList{"IAPCommand", control + "1.1.0/image.bin"}));
        QFile reset(fx.root() + "/sys/class/gpio/gpio137/value");
        QVERIFY(reset.open(QIODevice::ReadOnly));
        QCOMPARE(reset.readAll().trimmed(), QByteArray("0"));

        QDir(control).removeRecursively();
        QCOMPARE(Startup::bringUpBoard(&link), Startup::LinkState::ReflashFailed);
    }

    void translatorLoadsTheConfiguredLanguage()
    {
        SimFixture fx;
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setPrinterLanguage("german");
        Startup::initTranslator();
        QVERIFY(Language::translator);
        QVERIFY(!Language::translator->isEmpty());
        // A language without a catalogue starts in English, and says so in
        // the settings, so that the language page ticks what is shown.
        getConfigFile()->configFile()->setPrinterLanguage("klingon");
        Startup::initTranslator();
        QCOMPARE(QCoreApplication::translate("BuildPreview", "Back"), QStringLiteral("Back"));
        QCOMPARE(getConfigFile()->configFile()->getPrinterLanguage(), std::string("english"));
        // Catalogues without translations yet load without an error, the
        // texts falling back to English (not to the language set before).
        for (const char *untranslated : {"arabic", "hungary", "korean", "thai"}) {
            getConfigFile()->configFile()->setPrinterLanguage("german");
            Startup::initTranslator();
            getConfigFile()->configFile()->setPrinterLanguage(untranslated);
            try {
                Startup::initTranslator();
            } catch (const Startup::Failure &failure) {
                QFAIL(qPrintable(QStringLiteral("%1 fails with %2").arg(untranslated).arg(failure.code)));
            }
            QCOMPARE(QCoreApplication::translate("BuildPreview", "Back"), QStringLiteral("Back"));
        }
        getConfigFile()->configFile()->setPrinterLanguage("english");
        Startup::initTranslator();
    }

    // The program itself, started on a settings file nested deeper than any
    // parser should follow: the file is set aside, the defaults are used (the
    // Wi-Fi station stays off) and the main window comes up and polls.
    void nestedSettingsFileIsSetAside()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        const QString settings = fx.root() + "/opt/PROGRAM/config/config.json";
        const QByteArray nested = "{\"general\":" + QByteArray(1000, '[') + QByteArray(1000, ']') + "}";
        writeFile(settings, nested);
        ProgramRun program(fx.root());
        QVERIFY(fx.waitForCommand("M92 X80", kTryWaitMs));
        fx.board().clearLog();
        QVERIFY(fx.waitForCommand("M105", kTryWaitMs));
        QCOMPARE(program.state(), QProcess::Running);
        QCOMPARE(readFile(settings + ".corrupt"), nested);
        QTRY_VERIFY(settingsValue(settings, "network", "wifiStationStatus").isBool());
        QCOMPARE(settingsValue(settings, "network", "wifiStationStatus").asBool(), false);
        QVERIFY(WifiAir::calls("wpa_supplicant").isEmpty());
        QCOMPARE(program.state(), QProcess::Running);
    }

    // The program itself, with a language it has no catalogue for and an
    // update server that answers with a list nested a thousand levels deep:
    // it starts in English, the check is refused and logged, and the main
    // window goes on polling the board.
    void unknownLanguageAndNestedUpdateReplyKeepItRunning()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        TestUpdateServer server;
        QVERIFY(server.ok());
        server.nestReply(1000);
        Config *config = getConfigFile()->configFile();
        config->reload();
        config->setPrinterLanguage("klingon");
        config->setUpdateServer(server.url().toStdString());
        config->setWifiStationStatus(true);
        QVERIFY(config->flush()); // the program reads them from the file
        WifiAir::saveNetwork("Workshop", "printer123");
        QVERIFY(QFile::copy(server.certificate(), fx.root() + "/opt/PROGRAM/config/update-ca.pem"));

        ProgramRun program(fx.root());
        QVERIFY(fx.waitForCommand("M92 X80", kTryWaitMs));
        QTRY_VERIFY(!server.requestsTo("PUT", "/update").isEmpty());
        QTRY_VERIFY(program.log().contains("the server's answer is refused"));
        fx.board().clearLog();
        QVERIFY(fx.waitForCommand("M105", kTryWaitMs));
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY(program.log().contains("no catalogue for \"klingon\" - using English"));
        QTRY_COMPARE_WITH_TIMEOUT(
            settingsValue(fx.root() + "/opt/PROGRAM/config/config.json", "general", "printerLanguage").asString(),
            std::string("english"), 20000);
    }

    void missingPortIsALinkFailure()
    {
        QTemporaryDir empty;
        SysRoot::setRoot(empty.path());
        try {
            Startup::openPrinterLink();
            QFAIL("no port, no link");
        } catch (const Startup::Failure &failure) {
            QCOMPARE(failure.code, 0x1001);
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
