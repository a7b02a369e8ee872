// The printing page up to streaming (heating, homing, the start position,
// the wait for temperature, the print thread) and the once-a-second status
// tick that runs for the page's whole life.
#include "buildprint.h"
#include "ui_buildprint.h"

#include "boardrequest.h"
#include "buildprintcommon.h"
#include "buzzerplay.h"
#include "calibrationalgorithm.h"
#include "headlift.h"
#include "motionidle.h"
#include "onebuttondialog.h"
#include "printclock.h"
#include "printpagehooks.h"
#include "resumeprintconfigsavefile.h"
#include "serialobject.h"
#include "timescale.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

#include <limits>
#include <memory>

using namespace BuildPrintCommon;

namespace {
constexpr int kOverTemperature = 290;
constexpr int kTemperatureMargin = 2;
// The filament pages' unload temperature; a target of exactly this value
// before sending is theirs, not the print's.
constexpr int kFilamentPageTarget = 235;
constexpr int kLowestFollowedTarget = 10;

// What the detached print thread owns: copies, never the page.
struct PrintThreadArgs {
    QString path;
    SerialObject *link;
};

void *startPrintPthread(void *arg)
{
    std::unique_ptr<PrintThreadArgs> args(static_cast<PrintThreadArgs *>(arg));
    args->link->serialPrint(args->path);
    return nullptr;
}
} // namespace

// --- start: heating, homing, start position ---------------------------------

// Homing starts once the board has taken the targets: its moves must not
// overtake them.
void BuildPrint::doorOpenProcess()
{
    BoardRequest *heat = serialObject->requestHeaters(m_buildFileNozzleTemp, m_buildFilePlatformTemp, this);
    if (m_isResumePrint) {
        whenTaken(heat, [this] { liftBeforeHoming(); });
    } else {
        PrintingAdjust adjust;
        serialObject->getPrintingAdjust(adjust);
        config()->setPrintDetail(m_buildFileNozzleTemp, m_buildFilePlatformTemp, adjust.speed, adjust.offset);
        whenTaken(heat, [this] { startHoming(); });
    }
    showExtruderTemp();
    setCommandButtonsEnabled(true);
}

void BuildPrint::startHoming()
{
    m_homing.start(m_isResumePrint);
}

// A print resumed after a power loss stands where it stopped: the nozzle
// goes up clear of it before X and Y are homed.
void BuildPrint::liftBeforeHoming()
{
    BoardRequest *where = serialObject->request(QStringLiteral("M114"), this);
    connect(where, &BoardRequest::finished, this, [this, where] {
        whenTaken(serialObject->request(HeadLift::commands(where->reply(), kLiftMm, zRange), this),
                  [this] { startHoming(); });
    });
}

// The homing's end, the origin and the move to the start position go as one
// sequence, so that none of it is cut off.
void BuildPrint::checkReturnHomeDone()
{
    m_homing.release();
    m_homed = true;
    deviationAbsoluteValue = 0;
    if (config()->getAutoSwitch()) {
        CalibrationAlgorithm calibration;
        calibration.initCalibrationAlgorithm();
        deviationAbsoluteValue = calibration.getdeviationAbsoluteValue();
    }
    QStringList start{QStringLiteral("M112"), QStringLiteral("G90"),
                      QStringLiteral("G92 X0 Y0 Z%1 A0 B0").arg(deviationAbsoluteValue, 0, 'f', 2)};
    if (!m_isResumePrint)
        start << QStringLiteral("G1 Z10 F300") << QStringLiteral("G1 X10 Y10 F2000");
    whenTaken(serialObject->request(start, this), [this] { waitForStartPosition(); });
    if (printState == Print_State_Pause)
        heatersOff();
    else if (printState != Print_State_Stop)
        printState = Print_State_Play;
}

void BuildPrint::waitForStartPosition()
{
    m_startIdle->start(1000, kIdlePollMs);
}

void BuildPrint::returnHomeFailed()
{
    m_homing.release();
    qCritical() << "BuildPrint: homing gave up before" << m_filePathName;
    // Nothing has been sent of the file: the cancel before streaming stops
    // the machine, switches both heaters off and closes the page.
    printStop();
    const QString text = tr("Homing failed");
    OneButtonDialog::showMessage(text);
}

void BuildPrint::checkSpecifiedLocationMove()
{
    isCheckSpecifiedLocationMoved = true;
    if (m_pausedWhileHoming && printState == Print_State_Pause)
        finishParking();
    m_pausedWhileHoming = false;
}

// --- the one-second status tick ---------------------------------------------

void BuildPrint::showExtruderTemp()
{
    MainWindow *mw = mainWindow();
    if (!mw) {
        QTimer::singleShot(TimeScale::ms(kTickMs), this, &BuildPrint::showExtruderTemp);
        return;
    }
    const bool live = mw->temperaturesLive();
    ui->nozzle_status->setText(MainWindow::degreesText(mw->getCurrentExtruderTemp(), mw->getTargetExtruderTemp(), live));
    ui->platform_status->setText(
        MainWindow::degreesText(mw->getCurrentPlatformTemp(), mw->getTargetPlatformTemp(), live));
    if (isGxFile)
        ui->remainTime->setText(PrintClock::hoursMinutes(PrintClock::remainingSeconds(timeUsed, printProgressValue)));
    ui->buildTime->setText(PrintClock::hoursMinutes(getPrintBuildTime()));

    const int nozzle = mw->getCurrentExtruderTemp();
    if (nozzle > kOverTemperature) {
        handleOverTemperature(nozzle);
        if (printState != Print_State_Stop)
            QTimer::singleShot(TimeScale::ms(kTickMs), this, &BuildPrint::showExtruderTemp);
        return;
    }

    checkFilamentRunOut();
    if (!getPrinterFileSendStatus()) {
        followTargetsBeforeSending();
        printFileNoSendProcess(nozzle);
    } else {
        printFileHasSendProcess();
    }
    QTimer::singleShot(TimeScale::ms(kTickMs), this, &BuildPrint::showExtruderTemp);
}

// Heaters go off first, whatever else is on screen; then an open question
// is closed and the print stopped.
void BuildPrint::handleOverTemperature(int nozzleTemp)
{
    heatersOff();
    if (m_overTemperature)
        return;
    m_overTemperature = true;
    qCritical() << "BuildPrint: nozzle over temperature" << nozzleTemp;
    playTune(buzzerPlay::TUNE_ERROR);
    const QString text = tr("Abnormally print.\nPlease check the extruder.");
    OneButtonDialog::showMessage(text);
    repaint();
    QCoreApplication::processEvents();
    printStop();
}

void BuildPrint::checkFilamentRunOut()
{
    if (printState != Print_State_Play || m_runOutPausePending || !config()->getFilamentDetect()
        || mainWindow()->filamentCheckStatu())
        return;
    const QString text = tr("No material detected. Please\nload material before resuming\nthe print.");
    // One dialog for the whole run-out, not a new one every second.
    OneButtonDialog::showMessage(text);
    QCoreApplication::processEvents();
    playTune(buzzerPlay::TUNE_FILAMENT_START);
    m_runOutPausePending = true;
    QTimer::singleShot(TimeScale::ms(2000), this, [this] {
        m_runOutPausePending = false;
        printPause();
    });
}

// Targets changed before sending (print-detail page) count for the print;
// the filament pages' own heating does not. They are the targets the link
// last sent, not the poll's: a poll from before this page heated would hold
// the print to a target the board was never given.
void BuildPrint::followTargetsBeforeSending()
{
    if (PrintPage::filamentPageOpen())
        return;
    const int nozzleTarget = serialObject->nozzleTarget();
    if (nozzleTarget != m_buildFileNozzleTemp && nozzleTarget > kLowestFollowedTarget
        && nozzleTarget != kFilamentPageTarget)
        m_buildFileNozzleTemp = nozzleTarget;
    const int bedTarget = serialObject->bedTarget();
    if (bedTarget != m_buildFilePlatformTemp && bedTarget > kLowestFollowedTarget)
        m_buildFilePlatformTemp = bedTarget;
}

void BuildPrint::printFileNoSendProcess(int currentNozzleTemp)
{
    if (!isCheckSpecifiedLocationMoved || printState != Print_State_Play
        || currentNozzleTemp < m_buildFileNozzleTemp - kTemperatureMargin)
        return;
    if (m_buildFilePlatformTemp > 0
        && mainWindow()->getCurrentPlatformTemp() < m_buildFilePlatformTemp - kTemperatureMargin)
        return;
    setPrinterFileSendStatus(true);
    if (config()->getPowerOffResumePrintStatus())
        config()->setPowerOffResumePrintFileName(m_filePathName.toStdString());
    if (m_printTid == 0 && !startPrintThread()) {
        // Nothing streams: end as a print that never started.
        setPrinterFileSendStatus(false);
        const QString text = tr("The print could not be started.");
        OneButtonDialog::showMessage(text);
        printStop();
    }
}

bool BuildPrint::startPrintThread()
{
    auto *args = new PrintThreadArgs{m_filePathName, serialObject};
    pthread_t tid;
    const int error = pthread_create(&tid, nullptr, startPrintPthread, args);
    if (error != 0) {
        qCritical() << "BuildPrint: create pthread error" << __LINE__ << error;
        delete args;
        return false;
    }
    pthread_detach(tid);
    m_printTid = tid;
    return true;
}

void BuildPrint::printFileHasSendProcess()
{
    if (printState != Print_State_Play)
        return;
    int seconds;
    {
        std::lock_guard<std::mutex> lock(m_buildTimeMutex);
        // A time taken over from a resume stops at the largest an int holds.
        if (buildTime < std::numeric_limits<int>::max())
            ++buildTime;
        seconds = buildTime;
    }
    config()->setPowerOffResumePrintTime(seconds);
    if (FILESNAMESPACE::ResumePrintConfigSaveFile()->takeGiveUp())
        reportResumeRecordLost();
    if (++time60Second > 59) {
        time60Second = 0;
        config()->setPrinterTotalTime(1);
    }
}

// --- helpers -----------------------------------------------------------------

void BuildPrint::playTune(int tune)
{
    if (!config()->getBuzzerStatus())
        return;
    buzzerPlay *buzzer = buzzerPlay::getInstance("pwm1");
    buzzer->start();
    buzzer->play(static_cast<buzzerPlay::TuneId>(tune));
}

// The engine could not keep the power-loss record and removed it; without
// the file name no resume is offered after a power cut either.
void BuildPrint::reportResumeRecordLost()
{
    config()->setPowerOffResumePrintFileName("");
    const QString text = tr("Power-loss resume is off\nfor this print: its record\ncannot be saved.");
    OneButtonDialog::showMessage(text);
}
