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

    void settings()
    {
        getConfigFile()->configFile()->setBuzzerStatus(false);
        verifyDurablyReplaced(root() + "/opt/PROGRAM/config/config.json");
    }

    void powerLossRecord()
    {
        QVERIFY(FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(1234));
        verifyDurablyReplaced(root() + "/data/.resume_print_file");
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
