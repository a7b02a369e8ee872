// The printing page while the file streams: pause and resume (from the
// screen, the file, a run-out, the pop-up or the LAN), cancel, completion.
#include "buildprint.h"
#include "ui_buildprint.h"

#include "boardrequest.h"
#include "buildprintcommon.h"
#include "buzzerplay.h"
#include "clickguard.h"
#include "headlift.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "printpagehooks.h"
#include "serialobject.h"
#include "timescale.h"
#include "twobuttondialog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QTimer>

using namespace BuildPrintCommon;

// --- pause and resume --------------------------------------------------------

void BuildPrint::on_play_pause_pressed()
{
    // The guard lets the event loop run once, which may have stopped the print.
    if (printState == Print_State_Stop || !clickGuardPass() || printState == Print_State_Stop)
        return;
    if (printState == Print_State_Play) {
        printState = Print_State_Pause;
        printPlayPauseDo();
        return;
    }
    if (filamentChangeRunning())
        return;
    if (config()->getFilamentDetect() && mainWindow() && !mainWindow()->filamentCheckStatu()) {
        // The modal message takes the release of this press: without it the
        // button would stay drawn pressed (red) beneath the message.
        ui->play_pause->setDown(false);
        if (!OneButtonDialog::instOneButtonDialog)
            (new OneButtonDialog(QString(),
                                 tr("Out of material.You can\nload more material to\ncontinue this print."),
                                 QString()))
                ->show();
        return;
    }
    printState = Print_State_Play;
    printPlayPauseDo();
}

void BuildPrint::printPause()
{
    if (printState == Print_State_Stop || printState == Print_State_Pause)
        return;
    printState = Print_State_Pause;
    printPlayPauseDo();
}

void BuildPrint::printContinue()
{
    if (printState == Print_State_Play || printState == Print_State_Stop || filamentChangeRunning())
        return;
    printState = Print_State_Play;
    printPlayPauseDo();
}

// The load and unload pages move the extruder on their own; a print resumed
// under them would get their moves between its lines. The user resumes from
// this page once the filament page has closed.
bool BuildPrint::filamentChangeRunning()
{
    return PrintPage::filamentPageOpen();
}

void BuildPrint::printPlayPauseDo()
{
    const bool sending = getPrinterFileSendStatus();
    if (printState == Print_State_Pause) {
        // The targets the board was given, not a reading of them: a reading
        // sent back on resume would carry any misread into the heaters.
        m_getNozzleTempWhenPause = serialObject->nozzleTarget();
        m_getPlateTempWhenPause = serialObject->bedTarget();
        setMachineStatus(true);
        setCommandButtonsEnabled(false);
        showWaitText(tr("Pausing...\nplease wait..."));
        showResumeButton();
        if (sending) {
            // The print thread parks the head once it is between lines.
            serialObject->slo_printingPause();
        } else if (!m_homed) {
            // Homing owns the axes: only record the pause; the buttons come
            // back once the head has reached the start position.
            heatersOff();
            m_pausedWhileHoming = true;
        } else {
            heatersOff();
            whenTaken(serialObject->request(QStringLiteral("G1 X20 Y20 Z20"), this),
                      [this] { whenIdle(&BuildPrint::finishParking); });
        }
        return;
    }

    setMachineStatus(false);
    showPauseButton();
    if (sending) {
        ui->buildSetting->setEnabled(false);
        showWaitText(tr("Prepare to resume..."));
        ui->play_pause->setEnabled(false);
        ui->stop->setEnabled(false);
        // The engine heats to its own kept targets: it must come after.
        whenTaken(serialObject->requestHeaters(m_getNozzleTempWhenPause, m_getPlateTempWhenPause, this),
                  [this] {
                      if (printState == Print_State_Play)
                          serialObject->slo_printingContinue();
                  });
    } else {
        m_pausedWhileHoming = false;
        serialObject->requestHeaters(m_buildFileNozzleTemp, m_buildFilePlatformTemp);
        hideWait();
        setCommandButtonsEnabled(true);
    }
}

// The engine has paused and the board has taken its park.
void BuildPrint::slot_printPause()
{
    printState = Print_State_Pause;
    whenIdle(&BuildPrint::finishParking);
}

// A resume that came first (from the LAN) leaves nothing to finish.
void BuildPrint::finishParking()
{
    if (printState != Print_State_Pause)
        return;
    playTune(buzzerPlay::TUNE_PAUSE);
    hideWait();
    setCommandButtonsEnabled(true);
    emit signalPrintPauseToHome();
}

void BuildPrint::slot_printResume()
{
    setMachineStatus(false);
    printState = Print_State_Play;
    hideWait();
    showPauseButton();
    setCommandButtonsEnabled(true);
}

// --- cancel ------------------------------------------------------------------

void BuildPrint::on_stop_clicked()
{
    if (!clickGuardPass() || printState == Print_State_Stop || TwoButtonDialog::instTwoButtonDialog)
        return;
    auto *question = new TwoButtonDialog(tr("Cancel print job"), tr("Are you sure to\n cancel print job?"),
                                         tr("YES"), tr("NO"));
    connect(question, &QDialog::finished, this, [this](int result) {
        if (result == 1)
            printStop();
    });
    question->show();
}

void BuildPrint::printStop()
{
    if (printState == Print_State_Stop)
        return;
    // A cancel from the LAN or an over-temperature must not wait for an
    // answer to a question that is still on screen.
    closeOpenQuestion();
    printState = Print_State_Stop;
    m_cancelAsked = true;
    showWaitText(tr("Cancelling Build..."));
    if (getPrinterFileSendStatus()) {
        slot_printAbort();
        setCommandButtonsEnabled(false);
        QCoreApplication::processEvents();
    } else {
        serialObject->request(QStringLiteral("M112"));
        heatersOff();
        QTimer::singleShot(0, this, &QWidget::close);
    }
    printAdjustReset();
    serialObject->setPoweroffCancelPrint();
}

void BuildPrint::slot_printAbort()
{
    serialObject->slo_printingQuit();
}

void BuildPrint::slot_printQuit()
{
    if (printState != Print_State_Stop)
        takeEngineGiveUp();
    printState = Print_State_Stop;
    setCommandButtonsEnabled(false);
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->setLabelText(tr("Cancelling Build..."));
    // The engine may have quit between two lines before anyone found the
    // board silent: the stop is what finds out then.
    whenTaken(serialObject->request(QStringLiteral("M112"), this), [this] { liftAfterCancel(); });
    heatersOff();
}

// The stop has emptied the board's queue: the height it reports is where
// the head is.
void BuildPrint::liftAfterCancel()
{
    BoardRequest *where = serialObject->request(QStringLiteral("M114"), this);
    connect(where, &BoardRequest::finished, this, [this, where] {
        const QStringList park = QStringList{QStringLiteral("G90")} + HeadLift::commands(where->reply(), kLiftMm, zRange)
                                 + QStringList{QStringLiteral("G1 X0 F2000")};
        whenTaken(serialObject->request(park, this), [this] { whenIdle(&BuildPrint::cancelParked); });
    });
}

void BuildPrint::cancelParked()
{
    playTune(buzzerPlay::TUNE_PAUSE);
    QTimer::singleShot(TimeScale::ms(3000), this, &BuildPrint::closeAfterStop);
}

// The engine ended the job without being asked (unreadable file, dead link):
// the page ends it as a cancel does and says why once it has closed.
void BuildPrint::takeEngineGiveUp()
{
    qCritical() << "BuildPrint: the print engine gave up on" << m_filePathName;
    closeOpenQuestion();
    // The link says whether the board fell silent or whether the link
    // itself stopped, unable to tell whether the board ran a line whose
    // repeat would move the machine.
    const SerialObject::Failure failure = serialObject->lastFailure();
    if (!QFile(m_filePathName).open(QIODevice::ReadOnly))
        m_stopReason = tr("The print stopped:\nthe print file\ncannot be read.");
    else if (failure == SerialObject::Failure::BoardSilent || failure == SerialObject::Failure::None)
        m_stopReason = tr("The print stopped:\nthe printer board\nstopped answering.");
    else
        m_stopReason = tr("The print stopped:\nthe printer could not\ntell whether a line ran.");
    showWaitText(tr("Cancelling Build..."));
    printAdjustReset();
    serialObject->setPoweroffCancelPrint();
}

// The reason gets a dialog of its own: one already open (the main window's
// notice that the board does not respond) keeps its text underneath.
void BuildPrint::closeAfterStop()
{
    if (!m_stopReason.isEmpty())
        (new OneButtonDialog(QString(), m_stopReason))->show();
    close();
}

// --- completion --------------------------------------------------------------

// The engine has switched the heaters off and the board has taken the end
// park; once it has run, the bed comes forward.
void BuildPrint::slot_printOver()
{
    printState = Print_State_Stop;
    printAdjustReset();
    serialObject->setPoweroffCancelPrint();
    whenIdle(&BuildPrint::presentPrint);
}

void BuildPrint::presentPrint()
{
    playTune(buzzerPlay::TUNE_PRINT_DONE);
    const QStringList forward{QStringLiteral("G90"), QStringLiteral("G92 X0 Y0 A0"), QStringLiteral("G1 Y180 F3000")};
    whenTaken(serialObject->request(forward, this), [this] { showCompleted(); });
}

void BuildPrint::showCompleted()
{
    QTimer::singleShot(TimeScale::ms(3000), this, [this] {
        if (OneButtonDialog::instOneButtonDialog)
            OneButtonDialog::instOneButtonDialog->close();
        (new OneButtonDialog(tr("Build Completed"), tr("Build completed!")))->show();
        QCoreApplication::processEvents();
        close();
    });
}

void BuildPrint::printAdjustReset()
{
    PrintingAdjust adjust;
    serialObject->getPrintingAdjust(adjust);
    adjust.speed = 100;
    adjust.offset = 0;
    serialObject->setPrintingAdjust(adjust);
    config()->setPrintDetail(m_buildFileNozzleTemp, m_buildFilePlatformTemp, 100, 0);
    config()->setPowerOffResumePrintTime(0);
}
