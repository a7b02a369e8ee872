// The printing page against the simulated board: real widgets, the real
// print engine and the main window's temperature poll.
#include "buildprint.h"
#include "callrecorder.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "headedfile.h"
#include "lan/lanprinterstate.h"
#include "lan/myserver.h"
#include "logcounter.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "onetimesclicked.h"
#include "printpagehooks.h"
#include "printericons.h"
#include "printertranslations.h"
#include "serialobject.h"
#include "screencheck.h"
#include "simfixture.h"
#include "stallprobe.h"
#include "stringbrevik.h"
#include "timescale.h"
#include "resumeprintconfigsavefile.h"
#include "twobuttondialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = kTryWaitMs;

class IdleLanState : public LanPrinterState {
public:
    int currentExtruderTemp() const override { return 0; }
    int targetExtruderTemp() const override { return 0; }
    int currentPlatformTemp() const override { return 0; }
    int targetPlatformTemp() const override { return 0; }
    machine_status_t machineStatus() const override { return MACHINE_STATUS_READY; }
    move_mode_t moveMode() const override { return MOVE_MODE_READY; }
    float printProgress() const override { return 0; }
    QString printerName() const override { return "test"; }
    QString firmwareVersion() const override { return "1.0.0"; }
    QString serialNumber() const override { return "1"; }
};

// The G-code of a print: heating, extents, then `moves` extruding moves on
// one layer; each move lands on a distinct point.
QByteArray printBody(int moves)
{
    QByteArray g = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\n";
    for (int i = 0; i < moves; ++i)
        g += "G1 X" + QByteArray::number(10 + i % 50) + " Y" + QByteArray::number(10 + i % 37) + " E"
             + QByteArray::number(i * 0.05, 'f', 2) + " F1800\n";
    return g;
}

// The same with moves of 30 mm each, back and forth: one second each at the
// board's real speed.
QByteArray longMovesBody(int moves)
{
    QByteArray g = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\n";
    for (int i = 0; i < moves; ++i)
        g += "G1 X" + QByteArray(i % 2 ? "10" : "40") + " Y10 E" + QByteArray::number(i * 1.5, 'f', 1) + " F1800\n";
    return g;
}

// The commands a body sends, as the board receives them.
QStringList bodyCommands(const QByteArray &body)
{
    QStringList out;
    for (const QByteArray &line : body.split('\n'))
        if (!line.trimmed().isEmpty())
            out << QString::fromLatin1(line.trimmed());
    return out;
}

template <class T>
T *pageChild(const char *name)
{
    return BuildPrint::instBuildPrint ? BuildPrint::instBuildPrint->findChild<T *>(name) : nullptr;
}

// Checks that nothing is cut off and keeps a picture for a look.
void checkScreen(QWidget *screen, const QString &name)
{
    screen->ensurePolished();
    ScreenCheck::save(screen, name); // before the check, to look at a failure
    const QStringList clipped = ScreenCheck::clippedTexts(screen);
    QVERIFY2(clipped.isEmpty(), qPrintable(name + ": " + clipped.join(" | ")));
}

QString dialogText(QDialog *dialog)
{
    return dialog ? dialog->findChild<QLabel *>("textLabel")->text() : QString();
}

// An open one-button dialog that says `text`, wherever it sits in the stack.
OneButtonDialog *shownDialogSaying(const QString &text)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<OneButtonDialog *>(w);
        if (dialog && dialog->isVisible() && dialogText(dialog) == text)
            return dialog;
    }
    return nullptr;
}

} // namespace

class TestBuildPrint : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SimFixture> fx;
    MainWindow *mainWindow = nullptr;
    bool filamentPageOpen = false;

    QString writeData(const QString &name, const QByteArray &content)
    {
        const QString path = fx->root() + "/data/" + name;
        writeTestFile(path, content);
        return path;
    }

    // What the page and the engine sent: the motion commands without the
    // filament-sensor polls of the status tick.
    QStringList sent() const
    {
        QStringList out = fx->motionCommands();
        out.removeAll("M113");
        return out;
    }

    BuildPrint *open(const QString &path, bool resume = false)
    {
        BuildPrint::instBuildPrint = new BuildPrint(path, resume);
        return BuildPrint::instBuildPrint;
    }

    static bool pageClosed() { return BuildPrint::instBuildPrint == nullptr; }

    static void press(const char *button)
    {
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QToolButton *b = pageChild<QToolButton>(button);
        QVERIFY(b && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
    }

    static void answerQuestion(bool yes)
    {
        QTRY_VERIFY(TwoButtonDialog::instTwoButtonDialog && TwoButtonDialog::instTwoButtonDialog->isVisible());
        QTest::mouseClick(TwoButtonDialog::instTwoButtonDialog->findChild<QPushButton *>(yes ? "okBtn" : "backBtn"),
                          Qt::LeftButton);
    }

    // The page's readings, -1 once it has closed: a check that fails with the
    // page gone must not take the suite down with it.
    static int progress()
    {
        const QProgressBar *bar = pageChild<QProgressBar>("progressBar");
        return bar ? bar->value() : -1;
    }
    static int buildTime() { return pageClosed() ? -1 : BuildPrint::instBuildPrint->getPrintBuildTime(); }
    static bool sending() { return !pageClosed() && BuildPrint::instBuildPrint->getPrinterFileSendStatus(); }

    // Opens a print long enough to pause, resume and cancel while it streams.
    void startLongPrint()
    {
        open(writeData("long.gcode", printBody(20000)));
        QTRY_VERIFY_WITH_TIMEOUT(sending(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(progress() >= 3, kWaitMs);
    }

    // What a print ended against a silent board kept for it arrives once the
    // board answers: heaters off, positioning absolute, motors off.
    void safeOnceTheBoardAnswers(SerialObject *link)
    {
        fx->board().setSilent(false);
        QTRY_VERIFY(fx->board().nozzleTarget() == 0 && fx->board().bedTarget() == 0);
        QTRY_VERIFY(link->undeliveredCount() == 0);
        QVERIFY(fx->board().absoluteMode());
        QVERIFY(!fx->board().motorsEnabled());
        QTRY_VERIFY(!shownDialogSaying(MainWindow::tr("The motion board does not respond.")));
        link->setReplyTimeoutMs(5000);
    }

    static bool parkedAndPaused()
    {
        QToolButton *b = pageChild<QToolButton>("play_pause");
        return b && BuildPrint::instBuildPrint->getPrintState() == Print_State_Pause && b->isEnabled()
               && b->text() == BuildPrint::tr("Print");
    }

    static bool streaming()
    {
        QToolButton *b = pageChild<QToolButton>("play_pause");
        return b && BuildPrint::instBuildPrint->getPrintState() == Print_State_Play && b->isEnabled()
               && b->text() == BuildPrint::tr("Pause");
    }

    void cancelAndWait()
    {
        if (!BuildPrint::instBuildPrint)
            return;
        BuildPrint::instBuildPrint->printStop();
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
    }

    // The last extruding move of the file that the board took before `end`.
    static QString lastMoveBefore(const QStringList &commands, int end)
    {
        for (int i = end - 1; i >= 0; --i)
            if (commands.at(i).startsWith("G1 X") && commands.at(i).contains(" E"))
                return commands.at(i);
        return QString();
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        fx.reset(new SimFixture());
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setBuzzerStatus(false);
        QVERIFY(ExecuteGetSerialObject()->serial());
        MainWindowHooks hooks;
        hooks.printPageOpen = [] { return BuildPrint::instBuildPrint != nullptr; };
        MainWindow::setHooks(hooks);
        PrintPageHooks pageHooks;
        pageHooks.filamentPageOpen = [this] { return filamentPageOpen; };
        PrintPage::setHooks(pageHooks);
        mainWindow = new MainWindow;
        QTRY_VERIFY(mainWindow->getCurrentExtruderTemp() > 0);
    }

    void init()
    {
        filamentPageOpen = false;
        fx->board().setFilament(sim::Filament::Present);
        fx->board().setForcedNozzleTemp(std::nullopt);
        fx->board().setForcedBedTemp(std::nullopt);
        Config *config = getConfigFile()->configFile();
        config->setFilamentDetect(false);
        config->setAutoSwitch(false);
        config->setPowerOffResumePrintStatus(true);
        fx->board().clearLog();
        // The last test may have left an alarm reading in the poll.
        QTRY_VERIFY(mainWindow->getCurrentExtruderTemp() < 280);
    }

    void cleanup()
    {
        CallRecorder::start(QString());
        SerialObject::setScreenWaitMs(60000);
        cancelAndWait();
        for (QDialog *d : {static_cast<QDialog *>(OneButtonDialog::instOneButtonDialog),
                           static_cast<QDialog *>(TwoButtonDialog::instTwoButtonDialog)})
            if (d)
                d->close();
        QTRY_VERIFY(!mainWindow || mainWindow->machineStatus == MACHINE_STATUS_READY);
        // What the closed page handed to the link goes before the next case.
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial()));
    }

    void cleanupTestCase()
    {
        delete mainWindow;
    }

    // A plain file from start to finish: the order of everything the board
    // receives, the wait for both temperatures, and what is left behind.
    void printsAPlainFileToCompletion()
    {
        const QByteArray body = printBody(5);
        const QString path = writeData("plain.gcode", body);
        fx->board().setForcedNozzleTemp(150.0);
        fx->board().setForcedBedTemp(40.0);
        getConfigFile()->configFile()->setFilamentDetect(true); // each tick then asks the sensor
        // A stored calibration point that no probing gives is no calibration.
        getConfigFile()->configFile()->setAutoPoint5(1000.0f);
        getConfigFile()->configFile()->setAutoSwitch(true);
        CallRecorder::start(QDir(fx->root()).canonicalPath());
        open(path);
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_BUILDING_FROM_SD);
        QCOMPARE(mainWindow->moveMode.load(), MOVE_MODE_MOVING);

        // At the start position but 50 degrees short: several ticks pass
        // without a line of the file.
        QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
        const int ticks = fx->count("M113");
        QTRY_VERIFY_WITH_TIMEOUT(fx->count("M113") >= ticks + 5, kWaitMs);
        QVERIFY(!pageClosed() && !sending());
        QCOMPARE(fx->count("M82"), 0);

        // The nozzle is there, the bed is not: still no line.
        fx->board().setForcedNozzleTemp(std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(!pageClosed() && pageChild<QToolButton>("nozzle_status")->text().startsWith("200/200"),
                                 kWaitMs);
        const int hotTicks = fx->count("M113");
        QTRY_VERIFY_WITH_TIMEOUT(fx->count("M113") >= hotTicks + 3, kWaitMs);
        QCOMPARE(fx->count("M82"), 0);

        fx->board().setForcedBedTemp(std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QTRY_VERIFY(OneButtonDialog::instOneButtonDialog);
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog), QString("Build completed!"));
        QTRY_COMPARE(fx->count("M18"), 2); // the close's sequence runs after the page has gone

        const QStringList commands = sent();
        QCOMPARE(commands.mid(0, 5), (QStringList{"M17", "M140 S0", "M104 S0 T0", "M140 S60", "M104 S200 T0"}));
        const int homed = commands.indexOf("G92 X0 Y0 Z0.00 A0 B0");
        QVERIFY(homed > 5);
        QVERIFY(commands.mid(5, homed - 5).contains("G1 Z-420 F600")); // all three axes homed
        const QStringList expected = QStringList{"G92 X0 Y0 Z0.00 A0 B0", "G1 Z10 F300", "G1 X10 Y10 F2000"}
                                     + bodyCommands(body)
                                     + QStringList{"M140 S0", "M104 S0 T0", "G90", "G1 Z10.3 F300", "G1 X0 Y0 F2000",
                                                   "G90", "G92 X0 Y0 A0", "G1 Y180 F3000",
                                                   "M18", "M112", "M17 Y", "G92 E0", "M18"};
        QCOMPARE(commands.mid(homed), expected);

        Config *config = getConfigFile()->configFile();
        QCOMPARE(config->getPowerOffResumePrintTime(), 0);
        QCOMPARE(config->getPowerOffResumePrintFileName(), std::string());
        QCOMPARE(config->getPrintSpeed(), 100);
        QCOMPARE(config->getZOffset(), 0);
        QVERIFY(!QFile::exists(fx->root() + "/data/.resume_print_file"));
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        QCOMPARE(mainWindow->moveMode.load(), MOVE_MODE_READY);

        // The settings and the power-loss record reached the medium from
        // other threads: the GUI thread never waited for it (the sanitizer
        // build runs without the recorder).
        if (CallRecorder::preloaded()) {
            QVERIFY(config->flush());
            const QString settings = QDir(fx->root()).canonicalPath() + "/opt/PROGRAM/config/config.json";
            QVERIFY(!CallRecorder::record().filter(" -> " + settings).isEmpty());
            const QStringList waits = CallRecorder::mainThreadFlushesAndRenames();
            QVERIFY2(waits.isEmpty(), qPrintable(waits.join('\n')));
        }
    }

    void refusedFilesSendNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("two extruders") << QByteArray("M104 S200\nM118 X10 Y10 Z10 T1\nG1 X1\n");
        QTest::newRow("out of range") << QByteArray("M104 S200\nM118 X301 Y10 Z10\nG1 X1\n");
        QTest::newRow("banner without end") << QByteArray(";generated by tmslicer\nM104 S200\nM118 X10 Y10 Z10\n");
    }

    void refusedFilesSendNothing()
    {
        QFETCH(QByteArray, content);
        open(writeData("refused.gcode", content));
        QTRY_VERIFY(pageClosed());
        QVERIFY(OneButtonDialog::instOneButtonDialog);
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog), QString("File format error"));
        QCOMPARE(sent(), QStringList());
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
    }

    // A pause while streaming parks above the print at the middle of the
    // bed; the resume heats to the targets of the pause and goes back. The
    // park waits behind the board's full queue of long moves, seconds each,
    // and still goes out; the screen says at once that it is pausing and
    // stays live meanwhile.
    void pauseAndResumeWhileStreaming()
    {
        open(writeData("long.gcode", longMovesBody(20000)));
        QTRY_VERIFY_WITH_TIMEOUT(progress() >= 3, kWaitMs);
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        fx->board().setTimeScale(0.3); // over 3 s a move
        QTRY_COMPARE(fx->board().queuedCommands(), 16);
        const int parks = fx->count("G1 X150 Y150 F2000");
        StallProbe probe;
        press("play_pause");
        QVERIFY(OneLableDialog::instOneLableDialog->isVisible());
        QCOMPARE(dialogText(OneLableDialog::instOneLableDialog), QString("Pausing...\nplease wait..."));
        QTRY_VERIFY(fx->count("G1 X150 Y150 F2000") > parks);
        const qint64 stall = probe.takeWorstStallMs();
        QVERIFY2(stall < 2000, qPrintable(QString::number(stall)));
        fx->board().setTimeScale(1000.0);
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
        QCOMPARE(mainWindow->moveMode.load(), MOVE_MODE_PAUSED);
        QStringList commands = sent();
        const int park = commands.lastIndexOf("G90");
        QCOMPARE(commands.mid(park, 3), (QStringList{"G90", "G1 Z10.3 F300", "G1 X150 Y150 F2000"}));
        const QString lastMove = lastMoveBefore(commands, park);
        QVERIFY(!lastMove.isEmpty());
        const sim::Position parked = fx->board().position();
        QCOMPARE(qRound(parked.x), 150);
        QCOMPARE(qRound(parked.z * 10), 103);

        // Cooled down meanwhile: the resume restores the pause's targets.
        ExecuteGetSerialObject()->serial()->stopHalvorIIHeating();
        fx->board().clearLog();
        press("play_pause");
        QTRY_VERIFY_WITH_TIMEOUT(streaming(), kWaitMs);
        commands = sent();
        QCOMPARE(commands.mid(0, 2), (QStringList{"M140 S60", "M104 S200 T0"}));
        const QString back = lastMove.section(' ', 0, 2) + " F3000";
        const int restore = commands.indexOf(back);
        QVERIFY2(restore > 0, qPrintable(back + " not in " + commands.mid(0, 12).join(", ")));
        QCOMPARE(commands.at(restore + 1), QString("G1 Z0.3 F300"));
        QVERIFY(fx->board().nozzleTarget() == 200 && fx->board().bedTarget() == 60);
    }

    // A pause before the file streams parks at X20 Y20 Z20 and cools down;
    // the resume heats to the file's targets and no line goes out cold.
    // A pause during homing leaves the axes to the homing and parks nothing.
    void pauseBeforeStreaming_data()
    {
        QTest::addColumn<bool>("duringHoming");
        QTest::newRow("at the start position") << false;
        QTest::newRow("during homing") << true;
    }

    void pauseBeforeStreaming()
    {
        QFETCH(bool, duringHoming);
        fx->board().setForcedNozzleTemp(150.0);
        fx->board().setStuckEndstop('Z', duringHoming); // homing waits until released
        open(writeData("early.gcode", printBody(5)));
        if (duringHoming)
            QVERIFY(fx->waitForCommand("G1 Z-420 F600", kWaitMs));
        else
            QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
        press("play_pause");
        fx->board().setStuckEndstop('Z', false);
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
        QCOMPARE(sent().contains("G1 X20 Y20 Z20"), !duringHoming);
        QVERIFY(fx->board().nozzleTarget() == 0 && fx->board().bedTarget() == 0);

        fx->board().clearLog();
        press("play_pause");
        QTRY_VERIFY(streaming());
        QTRY_COMPARE(sent().mid(0, 2), (QStringList{"M140 S60", "M104 S200 T0"}));
        const int ticks = fx->count("M105");
        QTRY_VERIFY_WITH_TIMEOUT(fx->count("M105") >= ticks + 3, kWaitMs);
        QVERIFY(!pageClosed() && !sending());
        QCOMPARE(fx->count("M82"), 0);
        fx->board().setForcedNozzleTemp(std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QVERIFY(sent().contains("G1 Y180 F3000"));
    }

    // While the unload or load page runs over a paused print, no resume
    // starts the file again: its extruder moves would land between lines.
    void noResumeUnderAFilamentChange()
    {
        IdleLanState state;
        myServer server(&state, "127.0.0.1", 0, 0);
        mainWindow->server = &server;
        startLongPrint();
        mainWindow->server = nullptr;
        press("play_pause");
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);

        filamentPageOpen = true;
        fx->board().clearLog();
        emit server.sig_printresume();
        press("play_pause");
        const int ticks = fx->count("M105");
        QTRY_VERIFY_WITH_TIMEOUT(fx->count("M105") >= ticks + 3, kWaitMs);
        QVERIFY(parkedAndPaused());
        QCOMPARE(sent(), QStringList());

        filamentPageOpen = false;
        emit server.sig_printresume();
        QTRY_VERIFY_WITH_TIMEOUT(streaming(), kWaitMs);
    }

    // The engine gives up (here the file went before it could be opened):
    // the page ends as a cancel does and then says why.
    void engineGivingUpIsShown()
    {
        fx->board().setForcedNozzleTemp(150.0);
        const QString path = writeData("gone.gcode", printBody(5));
        open(path);
        QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
        QVERIFY(QFile::remove(path));
        fx->board().clearLog();
        fx->board().setForcedNozzleTemp(std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(!pageClosed() && BuildPrint::instBuildPrint->getPrintState() == Print_State_Stop, kWaitMs);
        QVERIFY(OneLableDialog::instOneLableDialog->isVisible());
        QCOMPARE(dialogText(OneLableDialog::instOneLableDialog), QString("Cancelling Build..."));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QTRY_VERIFY(OneButtonDialog::instOneButtonDialog && OneButtonDialog::instOneButtonDialog->isVisible());
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog),
                 QString("The print stopped:\nthe print file\ncannot be read."));
        const QStringList commands = sent();
        const int stop = commands.indexOf("M112");
        QVERIFY(stop >= 0);
        QCOMPARE(commands.mid(stop + 1, 2), (QStringList{"M140 S0", "M104 S0 T0"}));
        QVERIFY(!commands.contains("G1 Y180 F3000"));
    }

    // The board falls silent mid-print. The page gives up (or ends the
    // cancel asked for meanwhile) at once: it closes with its reason above
    // the board's notice and the machine is READY again while the board is
    // still silent; once it answers, the heaters are off, the motors off
    // and the positioning absolute.
    void aSilentBoardEndsThePrintWithTheHeatersOff_data()
    {
        QTest::addColumn<bool>("cancelDuringSilence");
        QTest::newRow("given up") << false;
        QTest::newRow("cancelled during the silence") << true;
    }

    void aSilentBoardEndsThePrintWithTheHeatersOff()
    {
        QFETCH(bool, cancelDuringSilence);
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(300);
        startLongPrint();
        QCOMPARE(fx->board().nozzleTarget(), 200);
        fx->board().setSilent(true);
        if (cancelDuringSilence) {
            press("stop");
            answerQuestion(true);
        }
        QTRY_VERIFY(pageClosed());
        QVERIFY(!link->boardResponding());
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        QVERIFY(!OneLableDialog::instOneLableDialog || !OneLableDialog::instOneLableDialog->isVisible());
        const QString notice = MainWindow::tr("The motion board does not respond.");
        QTRY_VERIFY(shownDialogSaying(notice));
        OneButtonDialog *reason = shownDialogSaying(BuildPrint::tr("The print stopped:\nthe printer board\nstopped answering."));
        QCOMPARE(reason != nullptr, !cancelDuringSilence);
        if (reason) {
            QCOMPARE(OneButtonDialog::instOneButtonDialog, reason); // on top of the notice
            checkScreen(reason, "print_given_up");
            ScreenCheck::saveScreen("print_given_up_screen");
            reason->close();
        }
        QVERIFY(shownDialogSaying(notice));
        QCOMPARE(fx->board().nozzleTarget(), 200); // nothing got through yet
        safeOnceTheBoardAnswers(link);
    }

    // A line whose reply was lost and whose repeat would move the machine
    // again (a full circle), where the position cannot tell whether it ran:
    // the link stops the print, and the page says that it was the link, not
    // a silent board.
    void aLineThatMayHaveRunEndsThePrintSayingSo()
    {
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(300);
        const QByteArray circle = "G2 I5 J0 F1200";
        fx->board().dropNextReply(circle.toStdString());
        open(writeData("circle.gcode", printBody(30) + circle + "\n" + printBody(30)));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        OneButtonDialog *reason = nullptr;
        QTRY_VERIFY(reason = shownDialogSaying(BuildPrint::tr("The print stopped:\nthe printer could not\ntell whether a line ran.")));
        QVERIFY(link->boardResponding());
        QCOMPARE(fx->count(circle.toStdString()), 1);
        checkScreen(reason, "print_stopped_by_the_link");
        reason->close();
        QTRY_VERIFY(fx->board().nozzleTarget() == 0 && fx->board().bedTarget() == 0);
        link->setReplyTimeoutMs(5000);
    }

    // The board falls silent once the file's last line is in and before the
    // completion moves: the page does not wait for it, it ends as a print
    // given up does, and the heaters go off once the board answers.
    void aBoardSilentAfterTheLastLineEndsThePrint()
    {
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(300);
        open(writeData("ends.gcode", printBody(2000)));
        QTRY_VERIFY_WITH_TIMEOUT(progress() >= 3, kWaitMs);
        fx->board().silenceAt("M140 S0"); // the completion's heater-off
        QTRY_VERIFY(pageClosed());
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        OneButtonDialog *reason = nullptr;
        QTRY_VERIFY(reason = shownDialogSaying(BuildPrint::tr("The print stopped:\nthe printer board\nstopped answering.")));
        QVERIFY(!shownDialogSaying(BuildPrint::tr("Build completed!")));
        reason->close();
        safeOnceTheBoardAnswers(link);
        QVERIFY(!sent().contains("G1 Y180 F3000"));
    }

    // The board falls silent part-way through one of the sequences of the
    // print (the move to the start position, the park of a pause before or
    // while streaming, the wait for it, the bed coming forward at the end):
    // the print ends as a print given up does and says why, the machine is
    // READY again, and once the board answers the heaters are off, the
    // positioning absolute and the motors off.
    void aSequenceCutShortEndsThePrint_data()
    {
        QTest::addColumn<QString>("silentAt");
        QTest::addColumn<QString>("when");
        QTest::newRow("start position") << "G1 Z10 F300" << "start";
        QTest::newRow("park before streaming") << "G1 X20 Y20 Z20" << "cold";
        QTest::newRow("park while streaming") << "G1 X150 Y150 F2000" << "streaming";
        QTest::newRow("while the park runs") << "M121" << "streaming";
        QTest::newRow("bed forward at the end") << "G1 Y180 F3000" << "end";
    }

    void aSequenceCutShortEndsThePrint()
    {
        QFETCH(QString, silentAt);
        QFETCH(QString, when);
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(300);
        if (when == "start" || when == "end") {
            fx->board().silenceAt(silentAt.toStdString());
            open(writeData("cut.gcode", printBody(5)));
        } else {
            if (when == "cold") {
                fx->board().setForcedNozzleTemp(150.0);
                open(writeData("cut.gcode", printBody(5)));
                QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
                QTRY_VERIFY(!pageClosed() && pageChild<QToolButton>("play_pause")->isEnabled());
            } else {
                startLongPrint();
            }
            fx->board().silenceAt(silentAt.toStdString());
            press("play_pause");
        }
        QTRY_VERIFY(pageClosed());
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        OneButtonDialog *reason = nullptr;
        QTRY_VERIFY(reason = shownDialogSaying(BuildPrint::tr("The print stopped:\nthe printer board\nstopped answering.")));
        QVERIFY(!shownDialogSaying(BuildPrint::tr("Build completed!")));
        reason->close();
        safeOnceTheBoardAnswers(link);
    }

    // Replies turned to line noise mid-print are a board that does not
    // answer properly: the notice shows, the log says so once, and the
    // print ends as with a silent board.
    void garbledRepliesEndThePrintLikeASilence()
    {
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(300);
        LogCounter garbledLines("garbled");
        startLongPrint();
        fx->board().setNoisyReplies(true);
        QTRY_VERIFY(pageClosed());
        const QString notice = MainWindow::tr("The motion board does not respond.");
        QTRY_VERIFY(shownDialogSaying(notice));
        QVERIFY(shownDialogSaying("The print stopped:\nthe printer board\nstopped answering."));
        fx->board().setNoisyReplies(false);
        QTRY_VERIFY(fx->board().nozzleTarget() == 0 && fx->board().bedTarget() == 0);
        QTRY_VERIFY(!shownDialogSaying(notice));
        QCOMPARE(garbledLines.count(), 1);
        link->setReplyTimeoutMs(5000);
    }

    // A file that ends with a slow lift: the completion lift starts from
    // where that lift ends, not from a height the head passes on its way.
    void completionLiftsFromTheEndOfTheQueue()
    {
        open(writeData("tall.gcode", printBody(5) + "G1 Z240 F600\n"));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        const QStringList commands = sent();
        const int end = commands.indexOf("G1 Z240 F600");
        QVERIFY(end > 0);
        QCOMPARE(commands.mid(end + 1, 5),
                 (QStringList{"M140 S0", "M104 S0 T0", "G90", "G1 Z250 F300", "G1 X0 Y0 F2000"}));
    }

    // The printer's total time grows by whole minutes of printing; the
    // file name for a power-loss resume is kept only when that is on.
    void countsMinutesAndKeepsTheResumeName_data()
    {
        QTest::addColumn<bool>("powerLossResume");
        QTest::newRow("resume on") << true;
        QTest::newRow("resume off") << false;
    }

    void countsMinutesAndKeepsTheResumeName()
    {
        QFETCH(bool, powerLossResume);
        Config *config = getConfigFile()->configFile();
        config->setPowerOffResumePrintStatus(powerLossResume);
        config->setPowerOffResumePrintFileName("");
        const int minutes = config->getPrinterTotalTime();
        startLongPrint();
        QVERIFY(!pageClosed());
        QCOMPARE(QString::fromStdString(config->getPowerOffResumePrintFileName()),
                 powerLossResume ? BuildPrint::instBuildPrint->getPrintFilePathName() : QString());
        QTRY_VERIFY_WITH_TIMEOUT(buildTime() >= 61, kWaitMs);
        BuildPrint::instBuildPrint->printPause();
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
        const int seconds = buildTime();
        QCOMPARE(config->getPrinterTotalTime(), minutes + seconds / 60);
    }

    // With /data refusing the record, the stale record goes and the page
    // says once that there is no power-loss resume for this print.
    void unwritableResumeRecordIsRemoved()
    {
        const QString record = fx->root() + "/data/.resume_print_file";
        QVERIFY(QDir().mkpath(record + ".tmp")); // the atomic write cannot create its temporary
        writeTestFile(record, "89\n");
        startLongPrint();
        QTRY_VERIFY_WITH_TIMEOUT(OneButtonDialog::instOneButtonDialog, kWaitMs);
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog),
                 QString("Power-loss resume is off\nfor this print: its record\ncannot be saved."));
        QVERIFY(!QFile::exists(record));
        QCOMPARE(getConfigFile()->configFile()->getPowerOffResumePrintFileName(), std::string());
        OneButtonDialog::instOneButtonDialog->close();
        QVERIFY(!pageClosed());
        const int seconds = buildTime();
        QTRY_VERIFY_WITH_TIMEOUT(buildTime() >= seconds + 3, kWaitMs);
        QVERIFY(!OneButtonDialog::instOneButtonDialog);
        QVERIFY(!QFile::exists(record));
        cancelAndWait();
        QVERIFY(QDir(record + ".tmp").removeRecursively());
    }

    void cancelAsksFirst()
    {
        startLongPrint();
        PrintingAdjust faster;
        faster.speed = 150;
        ExecuteGetSerialObject()->serial()->setPrintingAdjust(faster);
        press("stop");
        answerQuestion(false);
        const int before = progress();
        QTRY_VERIFY_WITH_TIMEOUT(progress() > before, kWaitMs);
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Play);

        press("stop");
        answerQuestion(true);
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        const QStringList commands = sent();
        const int park = commands.indexOf("G1 X0 F2000");
        QVERIFY(park > 5);
        QCOMPARE(commands.mid(park - 5, 6),
                 (QStringList{"M112", "M140 S0", "M104 S0 T0", "G90", "G1 Z10.3 F300", "G1 X0 F2000"}));
        QVERIFY(!commands.contains("G1 Y180 F3000"));
        PrintingAdjust adjust;
        ExecuteGetSerialObject()->serial()->getPrintingAdjust(adjust);
        QCOMPARE(adjust.speed, 100);
    }

    void cancelBeforeStreamingClosesAtOnce()
    {
        fx->board().setForcedNozzleTemp(20.0);
        open(writeData("cold.gcode", printBody(5)));
        QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
        press("stop");
        answerQuestion(true);
        QTRY_VERIFY(pageClosed());
        const auto stopOnwards = [this] {
            const QStringList commands = sent();
            return commands.mid(commands.indexOf("M112", commands.indexOf("G1 X10 Y10 F2000")));
        };
        QTRY_COMPARE(stopOnwards(), (QStringList{"M112", "M140 S0", "M104 S0 T0",
                                                 "M18", "M112", "M17 Y", "G92 E0", "M18"}));
    }

    // M25, M24 and M26 of the slicer reach the page queued from the server.
    void lanPauseResumeAndCancel()
    {
        IdleLanState state;
        myServer server(&state, "127.0.0.1", 0, 0);
        mainWindow->server = &server;
        startLongPrint();
        mainWindow->server = nullptr;

        const int heats = fx->count("M104 S200 T0");
        emit server.sig_printresume(); // already printing: nothing happens
        emit server.sig_printpause();
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
        QCOMPARE(fx->count("M104 S200 T0"), heats);
        emit server.sig_printresume();
        QTRY_VERIFY_WITH_TIMEOUT(streaming(), kWaitMs);

        // A cancel from the slicer does not wait for the question on screen.
        press("stop");
        QTRY_VERIFY(TwoButtonDialog::instTwoButtonDialog);
        emit server.sig_printcancel();
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QVERIFY(!sent().contains("G1 Y180 F3000"));
    }

    // A file's own "M25" pauses the print; it does not toggle.
    void fileM25Pauses()
    {
        const QByteArray moves = printBody(300);
        const QByteArray body = moves + "M25\n" + moves.mid(moves.indexOf("G1 X"));
        open(writeData("m25.gcode", body));
        QTRY_VERIFY_WITH_TIMEOUT(BuildPrint::instBuildPrint && parkedAndPaused(), kWaitMs);
        QTRY_VERIFY(!OneLableDialog::instOneLableDialog || !OneLableDialog::instOneLableDialog->isVisible());
        press("play_pause");
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QVERIFY(sent().contains("G1 Y180 F3000"));
    }

    void runOutPausesAndRefusesResume()
    {
        getConfigFile()->configFile()->setFilamentDetect(true);
        startLongPrint();
        fx->board().setFilament(sim::Filament::Absent);
        QTRY_VERIFY_WITH_TIMEOUT(OneButtonDialog::instOneButtonDialog, kWaitMs);
        OneButtonDialog *runOut = OneButtonDialog::instOneButtonDialog;
        QCOMPARE(dialogText(runOut), QString("No material detected. Please\nload material before resuming\nthe print."));
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
        QCOMPARE(OneButtonDialog::instOneButtonDialog, runOut); // one dialog, not one per second
        runOut->close();

        press("play_pause");
        QTRY_VERIFY(OneButtonDialog::instOneButtonDialog);
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog),
                 QString("Out of material.You can\nload more material to\ncontinue this print."));
        QVERIFY(!pageClosed());
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Pause);
        OneButtonDialog::instOneButtonDialog->close();

        fx->board().setFilament(sim::Filament::Present);
        press("play_pause");
        QTRY_VERIFY_WITH_TIMEOUT(streaming(), kWaitMs);
    }

    void overTemperatureStopsThePrint()
    {
        startLongPrint();
        fx->board().setForcedNozzleTemp(290.0);
        const int seconds = buildTime();
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed() || buildTime() >= seconds + 4, kWaitMs);
        QVERIFY(BuildPrint::instBuildPrint);
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Play);

        press("stop"); // the question stays open when the alarm comes
        QTRY_VERIFY(TwoButtonDialog::instTwoButtonDialog);
        fx->board().clearLog();
        fx->board().setForcedNozzleTemp(291.0);
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog),
                 QString("Abnormally print.\nPlease check the extruder."));
        const QStringList commands = sent();
        QVERIFY(commands.size() > 2);
        // The heaters go off before anything else of the stop; the engine may
        // still slip file lines in between.
        const int stop = commands.indexOf("M112");
        QVERIFY(stop > 0);
        QVERIFY(commands.mid(0, stop).contains("M140 S0") && commands.mid(0, stop).contains("M104 S0 T0"));
        QVERIFY(!commands.contains("G1 Y180 F3000"));
    }

    // The header and thumbnail of a headed file never reach the board.
    void printsAHeadedFile()
    {
        const QByteArray png = pngOf(QSize(24, 24), Qt::red);
        const QByteArray body = printBody(5);
        HeaderFields fields;
        fields.imgStart0 = 60;
        fields.imgStart1 = 60 + png.size() + 1; // the image slot ends with the line feed
        fields.gcodeStart = fields.imgStart1;
        fields.timeUsed = 3725;
        fields.materialUsed = 2500;
        open(writeData("part.gx", headerBytes(fields) + png + "\n" + body));
        QCOMPARE(pageChild<QLabel>("remainTime")->isVisibleTo(BuildPrint::instBuildPrint), true);
        QTRY_COMPARE(pageChild<QLabel>("remainTime")->text(), QString("1:2"));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        const QStringList commands = sent();
        const int start = commands.indexOf("G1 X10 Y10 F2000") + 1;
        QCOMPARE(commands.mid(start, bodyCommands(body).size()), bodyCommands(body));
    }

    void resumesAfterPowerLoss_data()
    {
        QTest::addColumn<QVector<int>>("stored"); // nozzle, bed, speed, Z offset
        QTest::addColumn<QStringList>("heating");
        QTest::newRow("as stored") << QVector<int>{205, 55, 100, 0} << QStringList{"M140 S55", "M104 S205 T0"};
        // Else what a new print of the file starts with.
        QTest::newRow("beyond what the page sets")
            << QVector<int>{9999, -300, 386547056, -2147483628} << QStringList{"M140 S60", "M104 S200 T0"};
    }

    // Five layers of a file (heated to 200 and 60) whose print a power cut
    // stopped at the third move of layer 3: the file's path; `lines` gets
    // its commands and `recorded` the number of the last line surely run.
    QString resumableFile(QStringList &lines, int &recorded)
    {
        QByteArray body = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z2\nG90\nM82\nG92 E0\nG1 F1800\n";
        for (int layer = 1; layer <= 5; ++layer) {
            body += "G1 Z" + QByteArray::number(layer * 0.2, 'f', 1) + "\n";
            for (int i = 0; i < 4; ++i)
                body += "G1 X" + QByteArray::number(20 + 10 * i + layer) + " Y30 E" + QByteArray::number(layer * 4 + i)
                        + "\n";
        }
        lines = bodyCommands(body);
        recorded = lines.indexOf("G1 X43 Y30 E14");
        getConfigFile()->configFile()->setPowerOffResumePrintTime(600);
        ExecuteGetSerialObject()->serial()->setPoweroffResumeLine(recorded + 1);
        return writeData("resume.gcode", body);
    }

    // The four stored print details as another program may have left them:
    // `members` (JSON object members) stand in for them, a key left out is
    // missing.
    void storePrintDetails(const QByteArray &members)
    {
        Config *config = getConfigFile()->configFile();
        config->flush();
        QFile file(fx->root() + "/opt/PROGRAM/config/config.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        file.close();
        QJsonObject general = root["general"].toObject();
        for (const char *key : {"tmpExtruderTemp", "tmpPlateTemp", "printSpeed", "zOffset"})
            general.remove(key);
        const QJsonObject given = QJsonDocument::fromJson("{" + members + "}").object();
        for (auto it = given.begin(); it != given.end(); ++it)
            general[it.key()] = it.value();
        root["general"] = general;
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(root).toJson());
        file.close();
        config->reload();
    }

    // After a power loss: the stored targets, a lift from the reported
    // height, X and Y homed only, and the file from the recorded line on.
    void resumesAfterPowerLoss()
    {
        QFETCH(QVector<int>, stored);
        QFETCH(QStringList, heating);
        QStringList lines;
        int recorded;
        const QString path = resumableFile(lines, recorded);
        Config *config = getConfigFile()->configFile();
        config->setPrintDetail(stored[0], stored[1], stored[2], stored[3]);
        float x, y, z;
        QVERIFY(StringBrevik::positionXYZ(ExecuteGetSerialObject()->serial()->serialCheckCode("M114"), x, y, z));
        fx->board().clearLog();

        open(path, true);
        QCOMPARE(BuildPrint::instBuildPrint->getPrintBuildTime(), 600);
        // Kept as used, for the print-detail page to start from.
        QCOMPARE(QString("M104 S%1 T0").arg(config->getExtruderTemp()), heating.at(1));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);

        const QStringList commands = sent();
        QCOMPARE(commands.mid(3, 3), heating + QStringList{"G1 Z" + QString::number(z + 10) + " F300"});
        QVERIFY(!commands.contains("G1 Z-420 F600"));
        QVERIFY(!commands.contains("G1 X10 Y10 F2000"));
        const int restore = commands.indexOf("G92 Z10.6 E14");
        QVERIFY(restore > 0);
        QCOMPARE(commands.mid(restore, 3), (QStringList{"G92 Z10.6 E14", "G1 X43 Y30 F3000", "G1 Z0.6 F300"}));
        QCOMPARE(commands.at(commands.indexOf("G1 Z0.6 F300") + 1 + (commands.at(restore + 3).startsWith("G1 F") ? 1 : 0)),
                 lines.at(recorded + 1));
        QVERIFY(!commands.contains(lines.at(recorded)));
    }

    void resumeHeatsAsThePrintDid_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QVector<int>>("used"); // nozzle, bed, speed, Z offset
        QTest::newRow("nozzle missing") << QByteArray(R"("tmpPlateTemp": 55, "printSpeed": 110, "zOffset": 4)")
                                        << QVector<int>{200, 55, 110, 4};
        QTest::newRow("heaters off") << QByteArray(R"("tmpExtruderTemp": 0, "tmpPlateTemp": 0, "printSpeed": 100,
                                                      "zOffset": 0)")
                                     << QVector<int>{200, 60, 100, 0};
        QTest::newRow("not numbers") << QByteArray(R"("tmpExtruderTemp": "hot", "tmpPlateTemp": null,
                                                      "printSpeed": [], "zOffset": 0.5)")
                                     << QVector<int>{200, 60, 100, 0};
        QTest::newRow("none stored") << QByteArray() << QVector<int>{200, 60, 100, 0};
        QTest::newRow("speed 0, offset below 0") << QByteArray(R"("tmpExtruderTemp": 205, "tmpPlateTemp": 55,
                                                                  "printSpeed": 0, "zOffset": -20)")
                                                 << QVector<int>{205, 55, 100, -20};
    }

    // Stored print details that are missing, unreadable or off give way to
    // the file's own targets and the neutral adjustments: no line of the
    // file reaches the board before it has heated as the print did.
    void resumeHeatsAsThePrintDid()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QVector<int>, used);
        QStringList lines;
        int recorded;
        const QString path = resumableFile(lines, recorded);
        storePrintDetails(stored);
        fx->board().clearLog();

        open(path, true);
        PrintingAdjust adjust;
        ExecuteGetSerialObject()->serial()->getPrintingAdjust(adjust);
        QCOMPARE((QVector<int>{adjust.speed, adjust.offset}), used.mid(2));
        QCOMPARE(pageChild<QLabel>("speed")->text(), QString("%1%").arg(used[2]));
        QCOMPARE(pageChild<QLabel>("zValue")->text(), QString::number(used[3] / 100.0, 'f', 2));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);

        const QStringList commands = sent();
        const int firstLine = commands.indexOf(QRegExp("G1 X\\d+ Y30 E\\d+.*"));
        QVERIFY(firstLine > 0);
        const QStringList before = commands.mid(0, firstLine);
        QCOMPARE(before.filter(QRegExp("^M104 ")).last(), QString("M104 S%1 T0").arg(used[0]));
        QCOMPARE(before.filter(QRegExp("^M140 ")).last(), QString("M140 S%1").arg(used[1]));
    }

    void screensFitTheirTexts_data()
    {
        ScreenCheck::addLanguageRows();
    }

    // Before sending, at about 40 %, paused, and the completion dialog.
    void screensFitTheirTexts()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        Config *config = getConfigFile()->configFile();
        config->setPrinterLanguage(language.toStdString());

        fx->board().setForcedNozzleTemp(150.0);
        // A long name with letters beyond ASCII, as a German user names
        // files, is cut at its end in the label's own font.
        open(writeData(QString::fromUtf8("Ersatzteilhalterung für die Werkbankschublade links.gx"),
                       headerBytes({60, 62, 62, 5400, 2500}) + "\n\n" + printBody(3000)));
        const QLabel *name = pageChild<QLabel>("printFileName");
        QVERIFY(name->text().startsWith("Ersatzteilhalterung"));
        QVERIFY(name->fontMetrics().horizontalAdvance(name->text()) > 220); // fills the room, not more
        QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
        QTRY_VERIFY(pageChild<QToolButton>("nozzle_status")->text().startsWith("150/200"));
        checkScreen(BuildPrint::instBuildPrint, language + "-1-before-sending");

        fx->board().setForcedNozzleTemp(std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(progress() >= 40, kWaitMs);
        press("play_pause");
        QTRY_VERIFY_WITH_TIMEOUT(OneLableDialog::instOneLableDialog->isVisible(), kWaitMs);
        checkScreen(BuildPrint::instBuildPrint, language + "-2-printing");
        checkScreen(OneLableDialog::instOneLableDialog, language + "-3-pausing");
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
        checkScreen(BuildPrint::instBuildPrint, language + "-4-paused");
        press("stop");
        QTRY_VERIFY(TwoButtonDialog::instTwoButtonDialog);
        checkScreen(TwoButtonDialog::instTwoButtonDialog, language + "-5-cancel-question");
        answerQuestion(true);
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);

        open(writeData("small.gcode", printBody(3)));
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        QVERIFY(OneButtonDialog::instOneButtonDialog);
        checkScreen(OneButtonDialog::instOneButtonDialog, language + "-6-completed");
        OneButtonDialog::instOneButtonDialog->close();

        // The reasons a print is given up, as their dialog shows them.
        int reason = 7;
        for (const char *text : {"The print stopped:\nthe printer board\nstopped answering.",
                                 "The print stopped:\nthe printer could not\ntell whether a line ran."}) {
            OneButtonDialog dialog(QString(), BuildPrint::tr(text));
            dialog.show();
            checkScreen(&dialog, language + QString("-%1-given-up").arg(reason++));
        }

        QCoreApplication::removeTranslator(&translator);
        config->setPrinterLanguage("english");
    }
};

QTEST_MAIN(TestBuildPrint)
#include "tst_buildprint.moc"
