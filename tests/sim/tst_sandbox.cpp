#include "sandbox.h"
#include "ptyclient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRawFont>
#include <QXmlStreamReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <csignal>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QStringList kRecordedTools = {"wpa_supplicant", "wpa_cli", "hostapd", "udhcpc", "udhcpd",
                                    "iwlist", "ifconfig", "ping", "fdisk", "fsck.ext4",
                                    "killall", "IAPCommand", "tar", "sync"};

// Every character of the texts and translations of the offered catalogues,
// read as they are now, so that texts added later are covered too.
QSet<QChar> catalogueCharacters()
{
    QSet<QChar> characters;
    for (const char *language : {"chinese-cn", "english", "german", "japanese", "french", "spanish"}) {
        QFile ts(QStringLiteral(PRINTER_TS_DIR "/firmware_%1.ts").arg(language));
        if (!ts.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(ts.fileName()));
        QXmlStreamReader xml(&ts);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement
                && (xml.name() == QLatin1String("source") || xml.name() == QLatin1String("translation"))) {
                for (const QChar c : xml.readElementText())
                    characters.insert(c);
            }
        }
    }
    return characters;
}

// Whether `font` puts any ink on the screen for `c` (glyph 0 is the
// missing-glyph box).
bool drawsInk(const QRawFont &font, QChar c)
{
    const QVector<quint32> glyphs = font.glyphIndexesForString(QString(c));
    if (glyphs.size() != 1 || glyphs.first() == 0)
        return false;
    const QImage ink = font.alphaMapForGlyph(glyphs.first(), QRawFont::PixelAntialiasing)
                           .convertToFormat(QImage::Format_Alpha8);
    for (int y = 0; y < ink.height(); ++y) {
        const uchar *row = ink.constScanLine(y);
        if (std::any_of(row, row + ink.width(), [](uchar alpha) { return alpha != 0; }))
            return true;
    }
    return false;
}
} // namespace

// The sandbox that the other subsystems' tests and run.sh start from.
class TestSandbox : public QObject {
    Q_OBJECT

private slots:
    void layoutHasTheDevicesAndFolders()
    {
        sim::Sandbox box;
        QVERIFY(box.isValid());
        const QStringList folders = {"/data", "/media", "/opt/PROGRAM/config", "/opt/PROGRAM/log",
                                     "/opt/PROGRAM/kernel", "/opt/PROGRAM/library",
                                     "/opt/PROGRAM/software", "/opt/qt-4.8.6/plugins",
                                     "/sys/class/pwm/pwmchip0/pwm1", "/sbin-standin"};
        for (const QString &folder : folders)
            QVERIFY2(QFileInfo(box.path(folder)).isDir(), qPrintable(folder));
        QCOMPARE(readAll(box.path("/sys/class/gpio/gpio131/value")), QByteArray("0\n"));
        QCOMPARE(readAll(box.path("/sys/class/gpio/gpio137/direction")), QByteArray("out\n"));
        QVERIFY(QFileInfo::exists(box.path("/sys/class/pwm/pwmchip0/pwm1/duty_cycle")));
        QCOMPARE(readAll(box.path("/opt/wifi/wpa_supplicant.conf")),
                 QByteArray("ctrl_interface=DIR=/var/run/wpa_supplicant\nupdate_config=1\n"));
        QCOMPARE(readAll(box.path("/etc/MAC")).trimmed(), QByteArray("00:11:22:33:44:55"));
        QCOMPARE(readAll(box.path("/proc/mounts")), QByteArray());
        QVERIFY(QFileInfo(box.path("/opt/PROGRAM/control/1.0.0/firmware.bin")).size() > 0);
        QVERIFY(QFileInfo(box.path("/opt/qt-4.8.6/lib/fonts/code2000.ttf")).size() > 0);

        PtyClient port(box.path("/dev/ttyS2"));
        QCOMPARE(port.exchange("M121"), QByteArray("16 F"));
    }

    // The program has this one font and no fallback: a character it lacks
    // shows as nothing, like a temperature without its degree sign.
    void fontDrawsEveryCharacterOfTheScreens()
    {
        sim::Sandbox box;
        QVERIFY(box.isValid());
        QSet<QChar> characters = catalogueCharacters();
        QVERIFY(characters.size() > 200); // Latin, Chinese and Japanese texts were read
        for (const QChar c : QStringLiteral("0123456789/%:.-\u2103"))
            characters.insert(c); // the temperature, time and progress read-outs
        for (const int pixels : {11, 14, 16, 18, 22}) {
            const QRawFont font(box.path("/opt/qt-4.8.6/lib/fonts/code2000.ttf"), pixels);
            QVERIFY(font.isValid());
            QString missing;
            for (const QChar c : qAsConst(characters)) {
                if (!c.isSpace() && c.category() != QChar::Other_Control && !drawsInk(font, c))
                    missing += c;
            }
            QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("%1 px: %2").arg(pixels).arg(missing)));
        }
    }

    // run.sh tells the user to run the filament out with these signals.
    void printerSimTakesTheFilamentOutAndBackOnSignals()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("dev"));
        QProcess sim;
        sim.start(PRINTER_SIM, {"--root", root.path()});
        QVERIFY(sim.waitForStarted());
        const QString device = root.path() + "/dev/ttyS2";
        QTRY_VERIFY(QFileInfo(device).isSymLink());
        PtyClient port(device);
        QCOMPARE(port.exchange("M113"), QByteArray("16 T"));
        ::kill(static_cast<pid_t>(sim.processId()), SIGUSR1);
        QTRY_COMPARE(port.exchange("M113", 200), QByteArray("16 F"));
        ::kill(static_cast<pid_t>(sim.processId()), SIGUSR2);
        QTRY_COMPARE(port.exchange("M113", 200), QByteArray("16 T"));
        QVERIFY(sim.state() == QProcess::Running);
        sim.terminate();
        QVERIFY(sim.waitForFinished());
        QCOMPARE(sim.exitCode(), 0);
    }

    void samplePrintsAreUsable()
    {
        sim::Sandbox box;
        QVERIFY(box.isValid());
        const QByteArray gcode = readAll(box.path("/data/cube.gcode"));
        QVERIFY(gcode.count('\n') > 2000);
        QVERIFY(gcode.startsWith(";Generated by"));
        QVERIFY(gcode.right(256).contains("end gcode"));
        for (const char *needed : {"\nM104 S", "\nM140 S", "\nM109 S", "\nM190 S", "\nM118 X"})
            QVERIFY2(gcode.indexOf(needed) > 0 && gcode.indexOf(needed) < 500, needed);

        // Headed copy: 60-byte little-endian header, two thumbnails, then the same G-code.
        const QByteArray gx = readAll(box.path("/data/cube.gx"));
        const auto u32 = [&gx](int at) { return qFromLittleEndian<quint32>(gx.constData() + at); };
        const auto u16 = [&gx](int at) { return qFromLittleEndian<quint16>(gx.constData() + at); };
        const quint32 img0 = u32(16), img1 = u32(20), start = u32(24);
        QCOMPARE(img0, 60u);
        QVERIFY(img0 < img1 && img1 < start);
        QCOMPARE(gx.mid(int(start)), gcode);
        QVERIFY(u32(28) > 0 && u32(32) > 0); // time and filament estimates
        QCOMPARE(u16(42), quint16(200));     // layer height in micrometres
        QVERIFY(u16(48) > 0);                // speed

        QImage small, large;
        QVERIFY(small.loadFromData(gx.mid(int(img0), int(img1 - img0))));
        QVERIFY(large.loadFromData(gx.mid(int(img1), int(start - img1))));
        QCOMPARE(small.size(), QSize(28, 28));
        QCOMPARE(large.size(), QSize(124, 124));
    }

    // What run.sh does for its update server, on a kept sandbox: the settings
    // name the port of this run's server, never the last run's or none, and
    // keep everything else.
    void keptSandboxIsPointedAtThisRunsUpdateServer()
    {
        QTemporaryDir dir;
        const QString updates = dir.filePath("update-server"), config = dir.filePath("config.json");
        QVERIFY(QDir().mkpath(updates));
        QFile lastPort(updates + "/port");
        QVERIFY(lastPort.open(QIODevice::WriteOnly) && lastPort.write("PORT 1\n") == 7);
        lastPort.close();
        QFile settings(config);
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("{\"general\":{\"language\":\"german\"},\"network\":{\"updateServer\":\"https://127.0.0.1:1\"}}");
        settings.close();

        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start("/bin/sh", {"-c",
                              ". \"$1/update-server-lib.sh\" && start_update_server \"$1/update-server.py\" \"$2\""
                              " && point_settings_at_update_server \"$3\" \"$UPDATE_URL\"; status=$?;"
                              " kill $UPDATE_PID; exit $status",
                              "sh", PRINTER_SIM_DIR, updates, config});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        const QJsonObject written = QJsonDocument::fromJson(readAll(config)).object();
        const QString url = written["network"].toObject()["updateServer"].toString();
        const QRegularExpressionMatch port = QRegularExpression("^https://127\\.0\\.0\\.1:(\\d+)$").match(url);
        QVERIFY2(port.hasMatch() && port.captured(1).toInt() > 1, qPrintable(url));
        QCOMPARE(written["general"].toObject()["language"].toString(), QString("german"));
    }

    void standinsRecordTheirCallsAndRunNothing()
    {
        sim::Sandbox box;
        QVERIFY(box.isValid());
        for (const QString &tool : kRecordedTools)
            QVERIFY2(QFileInfo(box.path("/sbin-standin/" + tool)).isExecutable(), qPrintable(tool));

        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PRINTER_SYSROOT", box.root());
        tool.setProcessEnvironment(env);
        const QStringList args = {"-czf", "wlan0", "set_network", "0", "ssid", "\"my net\t$(x)\""};
        tool.start(box.path("/sbin-standin/tar"), args);
        QVERIFY(tool.waitForFinished(kTryWaitMs));
        QCOMPARE(tool.exitCode(), 0);
        tool.start(box.path("/sbin-standin/sync"), QStringList());
        QVERIFY(tool.waitForFinished(kTryWaitMs));

        const QList<QStringList> calls = box.standinCalls();
        QCOMPARE(calls.size(), 2);
        // The TAB inside the last argument is the one ambiguity of the format.
        QCOMPARE(calls[0].mid(0, 6), QStringList({"tar"}) + args.mid(0, 5));
        QCOMPARE(calls[1], QStringList({"sync"}));

        // Without a root a stand-in refuses instead of guessing.
        env.remove("PRINTER_SYSROOT");
        tool.setProcessEnvironment(env);
        tool.start(box.path("/sbin-standin/ping"), {"-c", "1", "8.8.8.8"});
        QVERIFY(tool.waitForFinished(kTryWaitMs));
        QVERIFY(tool.exitCode() != 0);
        QCOMPARE(box.standinCalls().size(), 2);
    }
};

QTEST_MAIN(TestSandbox)
#include "tst_sandbox.moc"
