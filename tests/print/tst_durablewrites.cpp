#include "callrecorder.h"
#include "config.h"
#include "fakeprinterstate.h"
#include "getconfigfile.h"
#include "lan/myserver.h"
#include "lantestclient.h"
#include "resumeprintconfigsavefile.h"
#include "sysroot.h"
#include "verifiedcopy.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Files that must survive a power cut whole: each is written beside its
// target, flushed to the medium and only then renamed into place. The call
// recorder, preloaded into this test, sees the order of those calls.
class TestDurableWrites : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_root;

    QString root() const { return QDir(m_root->path()).canonicalPath(); }

    void verifyDurablyReplaced(const QString &target)
    {
        const QString fault = CallRecorder::durablyReplaced(target);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // The main thread stands for the GUI thread: it never waits for the medium.
    void verifyNothingWaitedOnTheMainThread()
    {
        const QStringList waits = CallRecorder::mainThreadFlushesAndRenames();
        QVERIFY2(waits.isEmpty(), qPrintable(waits.join('\n')));
    }

private slots:
    void initTestCase() { QVERIFY2(CallRecorder::preloaded(), "run through ctest, which preloads the call recorder"); }

    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        QVERIFY(QDir(root()).mkpath("data"));
        QVERIFY(QDir(root()).mkpath("opt/PROGRAM/config"));
        SysRoot::setRoot(root());
        getConfigFile()->configFile()->reload();
        CallRecorder::start(root());
    }

    void cleanup() { CallRecorder::start(QString()); }

    // Steps per mm are on the medium when flush() says so. A burst of other
    // changes (a print's start) is written at once, and what comes while a
    // write runs goes with the next: far fewer writes than changes. The
    // setters' thread, here the main thread as the GUI thread in the
    // program, writes nothing itself.
    void settings()
    {
        const QString settings = root() + "/opt/PROGRAM/config/config.json";
        Config *config = getConfigFile()->configFile();
        config->setTransmissionRatio(81, 80, 400, 93);
        QVERIFY(config->flush());
        verifyDurablyReplaced(settings);
        verifyNothingWaitedOnTheMainThread();
        CallRecorder::start(root());
        const int changes = 40;
        for (int i = 1; i <= changes; ++i)
            config->setPowerOffResumePrintTime(i);
        QVERIFY(config->flush());
        verifyDurablyReplaced(settings);
        QVERIFY(CallRecorder::record().filter(" -> " + settings).size() <= changes / 4);
        verifyNothingWaitedOnTheMainThread();
    }

    // Saved by the print thread; removed at a print's end on the GUI thread,
    // which leaves the folder's flush to another thread.
    void powerLossRecord()
    {
        const QString record = root() + "/data/.resume_print_file";
        QVERIFY(FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(1234));
        verifyDurablyReplaced(record);
        CallRecorder::start(root());
        QVERIFY(FILESNAMESPACE::ResumePrintConfigSaveFile()->removeResumePrintConfigFile());
        QVERIFY(!QFile::exists(record));
        QTRY_VERIFY(CallRecorder::record().contains("flush " + root() + "/data"));
        verifyNothingWaitedOnTheMainThread();
    }

    void lanUpload()
    {
        FakePrinterState state;
        myServer server(&state, QStringLiteral("127.0.0.1"), 0, 0);
        QVERIFY(server.start());
        LanTestClient client;
        QVERIFY(client.connectTo(server.tcpPort()));
        QVERIFY(client.command("M601 S1").contains("Control Success."));
        const QByteArray reply = client.upload("part.gx", QByteArray(20000, 'g'));
        QVERIFY2(reply.endsWith("Done saving file.\r\nok\r\n"), reply.constData());
        verifyDurablyReplaced(root() + "/data/part.gx");
        // Its order stamp reaches the disk through the file's own flush and
        // its folder's, before the counter moves; nothing syncs every medium.
        const QStringList calls = CallRecorder::record();
        const int touched = calls.indexOf("touch " + root() + "/data/part.gx");
        const int counter = calls.indexOf(QRegularExpression("rename .* -> .*/sysDateForFile\\.conf"), touched);
        QVERIFY2(touched >= 0 && counter > touched, qPrintable(calls.join('\n')));
        const int fileFlushed = calls.indexOf("flush " + root() + "/data/part.gx", touched);
        const int folderFlushed = calls.indexOf("flush " + root() + "/data", touched);
        QVERIFY2(fileFlushed > touched && fileFlushed < counter && folderFlushed < counter && folderFlushed > touched,
                 qPrintable(calls.join('\n')));
        QVERIFY(!calls.contains("sync"));
    }

    void verifiedCopy()
    {
        QVERIFY(QDir(root()).mkpath("media"));
        QFile source(root() + "/media/cube.gcode");
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(QByteArray(100000, 'G'));
        source.close();
        CallRecorder::start(root() + "/data");
        QCOMPARE(VerifiedCopy::copyFile(source.fileName(), root() + "/data/cube.gcode"), VerifiedCopy::Result::Done);
        verifyDurablyReplaced(root() + "/data/cube.gcode");
    }
};

QTEST_MAIN(TestDurableWrites)
#include "tst_durablewrites.moc"
