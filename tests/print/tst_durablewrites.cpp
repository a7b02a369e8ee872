#include "callrecorder.h"
#include "cmdprocess.h"
#include "config.h"
#include "factorysetting.h"
#include "fakeprinterstate.h"
#include "filepagekit.h"
#include "getconfigfile.h"
#include "lan/myserver.h"
#include "lantestclient.h"
#include "questions.h"
#include "resumeprintconfigsavefile.h"
#include "sysroot.h"
#include "verifiedcopy.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

// Does what the user asked for on the GUI thread and returns the calls made
// until the user was told it is done.
using GuiAction = std::function<QStringList()>;
Q_DECLARE_METATYPE(GuiAction)

namespace {

// Answers the next one-button message with OK, noting the calls made up to
// the moment it showed.
class MessageWatcher : public QObject {
public:
    MessageWatcher() { qApp->installEventFilter(this); }

    QString shown; // "title|text"
    QStringList callsBefore;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *message = qobject_cast<OneButtonDialog *>(watched);
        if (message && event->type() == QEvent::Show && shown.isEmpty()) {
            callsBefore = CallRecorder::record();
            shown = message->findChild<QLabel *>("titleLabel")->text() + '|'
                + message->findChild<QLabel *>("textLabel")->text();
            QTimer::singleShot(0, message, [message] { message->findChild<QPushButton *>("okBtn")->click(); });
        }
        return QObject::eventFilter(watched, event);
    }
};

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

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

    void cleanup()
    {
        CallRecorder::start(QString());
        CallRecorder::slowSyncs(0);
    }

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

    // What the user does on the GUI thread leaves the wait for the medium to
    // another thread; where the user is told it is done (a copy before the
    // stick is pulled, a reset before the printer is switched off), that
    // comes once the data are on the medium.
    void guiActionsLeaveTheFlushToAnotherThread_data()
    {
        QTest::addColumn<GuiAction>("action");
        QTest::addColumn<QString>("flushedFolder"); // under the root; none: a sync()
        QTest::addColumn<bool>("toldDoneAfterFlush");
        QTest::newRow("file browser delete") << GuiAction([this] { return deleteInFileBrowser(); }) << "/data"
                                             << false;
        QTest::newRow("about page log copy") << GuiAction([this] { return copyLogsToStick(); }) << QString()
                                             << true;
        QTest::newRow("factory reset") << GuiAction([this] { return resetToFactory(); }) << QString() << true;
    }

    void guiActionsLeaveTheFlushToAnotherThread()
    {
        QFETCH(GuiAction, action);
        QFETCH(QString, flushedFolder);
        QFETCH(bool, toldDoneAfterFlush);
        const QString flush = flushedFolder.isEmpty() ? QStringLiteral("sync") : "flush " + root() + flushedFolder;
        // A slow medium: a "done" that does not wait for the flush comes first.
        CallRecorder::slowSyncs(200);
        const QStringList callsUntilDone = action();
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY2(CallRecorder::record().contains(flush), qPrintable(CallRecorder::record().join('\n')));
        if (toldDoneAfterFlush)
            QVERIFY2(callsUntilDone.contains(flush), qPrintable(callsUntilDone.join('\n')));
        verifyNothingWaitedOnTheMainThread();
    }

private:
    QStringList deleteInFileBrowser()
    {
        const QString file = root() + "/data/cube.gcode";
        writeFile(file, "G28\n");
        ShowDisk page(From_LocalMemory);
        page.show();
        touch(rowNamed(&page, "cube.gcode"), true);
        touch(rowNamed(&page, "cube.gcode"));
        answerNextQuestion(true);
        clickPastGuard(page.findChild<QPushButton *>("btn_delete"));
        [&] { QTRY_VERIFY(!QFile::exists(file)); }();
        return CallRecorder::record();
    }

    // As the about page runs it, with a cp that copies.
    QStringList copyLogsToStick()
    {
        writeFile(root() + "/opt/PROGRAM/log/printer.log", "started\n");
        QDir(root()).mkpath("media");
        const QString cp = root() + "/sbin-standin/cp";
        writeFile(cp, "#!/bin/sh\nexec /bin/cp \"$@\"\n");
        QFile(cp).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        MessageWatcher message;
        (new CmdProcess)->executeCmd("cp", {"-rf", SysRoot::path("/opt/PROGRAM/log/"), SysRoot::path("/media")});
        [&] { QTRY_VERIFY(!CmdProcess::instCmdProcess); }();
        [&] {
            QCOMPARE(message.shown, QStringLiteral("Copy|Copy complete!"));
            QVERIFY(QFile::exists(root() + "/media/log/printer.log"));
        }();
        return message.callsBefore;
    }

    // As the settings menu starts it; the reset is done when its texts turn English.
    QStringList resetToFactory()
    {
        writeFile(root() + "/data/cube.gcode", "G28\n");
        writeFile(root() + "/opt/wifi/wpa_supplicant.conf", "network={\n\tssid=\"home\"\n}\n");
        QuestionAnswerer yes(true);
        QStringList callsUntilDone;
        auto *page = new FactorySetting;
        connect(page, &FactorySetting::translatorChanged, [&] { callsUntilDone = CallRecorder::record(); });
        page->recoveryFactorySetting();
        [&] {
            QTRY_VERIFY(!FactorySetting::instFactorySetting);
            QCOMPARE(yes.asked.size(), 1);
            QVERIFY(!QFile::exists(root() + "/data/cube.gcode"));
            verifyDurablyReplaced(root() + "/opt/wifi/wpa_supplicant.conf");
        }();
        return callsUntilDone;
    }
};

QTEST_MAIN(TestDurableWrites)
#include "tst_durablewrites.moc"
