#include "buildprint.h"
#include "ui_buildprint.h"

#include "buzzerplay.h"
#include "calibrationalgorithm.h"
#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "executereturnhome.h"
#include "getconfigfile.h"
#include "headlift.h"
#include "lan/myserver.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "pageframe.h"
#include "printclock.h"
#include "printfilecheck.h"
#include "printpagehooks.h"
#include "resumeprintconfigsavefile.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "timescale.h"
#include "twobuttondialog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QFontMetrics>
#include <QTimer>

#include <memory>

BuildPrint *BuildPrint::instBuildPrint = nullptr;

namespace {
constexpr int kTickMs = 1000;
constexpr int kIdlePollMs = 500;
constexpr int kOverTemperature = 290;
constexpr int kTemperatureMargin = 2;
constexpr float kLiftMm = 10.0f;
// The filament pages' unload temperature; a target of exactly this value
// before sending is theirs, not the print's.
constexpr int kFilamentPageTarget = 235;
constexpr int kLowestFollowedTarget = 10;

const char *const kButtonStyle =
    "QToolButton{background-color:#222222;border-radius:10px;padding-top:15px;color:#FFFFFF;font: %1;border:0px;}"
    "QToolButton:pressed{background-color:#c2172d;color:#FFFFFF;border: 0px;}";

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

MainWindow *mainWindow()
{
    return MainWindow::instMainWindow;
}

Config *config()
{
    return getConfigFile()->configFile();
}

QIcon icon(const char *name)
{
    return QIcon(QStringLiteral(":/Resource/icon/") + QLatin1String(name));
}
} // namespace

BuildPrint::BuildPrint(QString path, bool isResumePrint, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::BuildPrint)
    , m_filePathName(std::move(path))
    , m_isResumePrint(isResumePrint)
{
    instBuildPrint = this;
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    move(0, 30);
    PageFrame::setBackground(this);
    initData();
    setMachineStatus(false);

    if (!OneLableDialog::instOneLableDialog)
        (new OneLableDialog(QString()))->hide();

    if (!getPrintFileParam() || !isSingleExtruder) {
        refuseFile();
        return;
    }

    serialObject = ExecuteGetSerialObject()->serial();
    initView();
    serialObject->serialSendCode(QStringLiteral("M17"));
    serialObject->stopHalvorIIHeating();
    serialObject->setInitPrintingPersent();
    serialObject->slo_printCtlInit();
    connectEngine();

    if (m_isResumePrint)
        takeResumedPrintSettings();
    else
        config()->setPowerOffResumePrintTime(0);

    QTimer::singleShot(TimeScale::ms(1), this, &BuildPrint::doorOpenProcess);
    show();
    createSettingsPopup();
}

BuildPrint::~BuildPrint()
{
    qDebug() << "BuildPrint::~BuildPrint" << m_filePathName;
    if (config()->getPowerOffResumePrintStatus()) {
        config()->setPowerOffResumePrintFileName("");
        FILESNAMESPACE::ResumePrintConfigSaveFile()->removeResumePrintConfigFile();
    }
    if (m_homing)
        ExecuteReturnHome()->setObject(nullptr);
    if (serialObject) {
        serialObject->serialSendCode(QStringLiteral("M18"));
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->serialSendCode(QStringLiteral("M17 Y"));
        serialObject->serialSendCode(QStringLiteral("G92 E0"));
        serialObject->serialSendCode(QStringLiteral("M18"));
    }
    if (mainWindow()) {
        mainWindow()->machineStatus = MACHINE_STATUS_READY;
        mainWindow()->moveMode = MOVE_MODE_READY;
    }
    closeOpenQuestion();
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->close();
    if (m_settingsPopup) {
        disconnect(this, nullptr, m_settingsPopup, nullptr);
        m_settingsPopup->close();
    }
    instBuildPrint = nullptr;
    delete ui;
}

void BuildPrint::initData()
{
    const BuildVolume volume = machineBuildVolume();
    xRange = volume.x;
    yRange = volume.y;
    zRange = volume.z;
}

bool BuildPrint::getPrintFileParam()
{
    const PrintFileCheckResult result = checkPrintFile(m_filePathName, BuildVolume{xRange, yRange, zRange});
    isGxFile = result.isGxFile;
    isSingleExtruder = result.isSingleExtruder;
    m_buildFileNozzleTemp = result.nozzleTemp;
    m_buildFilePlatformTemp = result.platformTemp;
    timeUsed = result.timeUsed;
    materialUsed = result.materialUsed;
    return result.accepted;
}

// The refusal is shown without a nested event loop inside the constructor:
// the page closes at the next pass and the dialog stays until it is answered.
void BuildPrint::refuseFile()
{
    qWarning() << "BuildPrint: refused" << m_filePathName;
    const QString text = tr("File format error");
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->setLabelText(text);
    else
        new OneButtonDialog(text, text);
    OneButtonDialog::instOneButtonDialog->show();
    OneButtonDialog::instOneButtonDialog->raise();
    QTimer::singleShot(0, this, &QWidget::close);
}

void BuildPrint::initView()
{
    setCommandButtonsEnabled(false);
    hideWait();
    const std::string language = config()->getPrinterLanguage();
    const QString fontSize = (language == "german" || language == "french") ? "11px" : "16px";
    const QString style = QString::fromLatin1(kButtonStyle).arg(fontSize);
    ui->stop->setStyleSheet(style);
    ui->play_pause->setStyleSheet(style);
    ui->buildSetting->setStyleSheet(style);

    const QString name = QFileInfo(m_filePathName).fileName().trimmed();
    ui->printFileName->setText(QFontMetrics(QFont()).elidedText(name, Qt::ElideRight, 250));

    PrintingAdjust adjust;
    serialObject->getPrintingAdjust(adjust);
    updateSetParam(adjust);
    if (isGxFile) {
        ui->remainTimelabel->setText(tr("Time Remaining"));
    } else {
        ui->remainTimelabel->hide();
        ui->remainTime->hide();
    }
    ui->progressBar->setRange(0, 100);
    ui->progressBar->setValue(1);
}

void BuildPrint::connectEngine()
{
    connect(serialObject, &SerialObject::sendPrintPersent, this, &BuildPrint::showPrintProgress, Qt::QueuedConnection);
    connect(serialObject, &SerialObject::printOver, this, &BuildPrint::slot_printOver, Qt::QueuedConnection);
    connect(serialObject, &SerialObject::printPause, this, &BuildPrint::slot_printPause, Qt::QueuedConnection);
    connect(serialObject, &SerialObject::printResume, this, &BuildPrint::slot_printResume, Qt::QueuedConnection);
    connect(serialObject, &SerialObject::printQuit, this, &BuildPrint::slot_printQuit, Qt::QueuedConnection);
    // A "M25" in the file pauses without the click guard, which could swallow
    // it, and without the toggle, which would resume a paused print.
    connect(serialObject, &SerialObject::readM25, this, &BuildPrint::printPause, Qt::QueuedConnection);
    if (myServer *server = mainWindow() ? mainWindow()->server.load() : nullptr) {
        connect(server, &myServer::sig_printresume, this, &BuildPrint::printContinue, Qt::QueuedConnection);
        connect(server, &myServer::sig_printpause, this, &BuildPrint::printPause, Qt::QueuedConnection);
        connect(server, &myServer::sig_printcancel, this, &BuildPrint::printStop, Qt::QueuedConnection);
    }
}

void BuildPrint::takeResumedPrintSettings()
{
    buildTime = config()->getPowerOffResumePrintTime();
    m_buildFileNozzleTemp = config()->getExtruderTemp();
    m_buildFilePlatformTemp = config()->getPlateTemp();
    PrintingAdjust adjust;
    adjust.speed = config()->getPrintSpeed();
    adjust.offset = config()->getZOffset();
    adjust.purge = 100;
    updateSetParam(adjust);
    serialObject->setPrintingAdjust(adjust);
}

void BuildPrint::createSettingsPopup()
{
    m_settingsPopup = PrintPage::createSettingsPopup(isGxFile, materialUsed);
    if (!m_settingsPopup)
        return;
    m_settingsPopup->hide();
    if (m_settingsPopup->metaObject()->indexOfSlot("slotPrintPauseToHome()") >= 0)
        connect(this, SIGNAL(signalPrintPauseToHome()), m_settingsPopup, SLOT(slotPrintPauseToHome()));
}

int BuildPrint::getPrintBuildTime()
{
    std::lock_guard<std::mutex> lock(m_buildTimeMutex);
    return buildTime;
}

bool BuildPrint::getPrinterFileSendStatus()
{
    std::lock_guard<std::mutex> lock(m_printFileSendStatusMutex);
    return m_printFileSendStatus;
}

void BuildPrint::setPrinterFileSendStatus(bool sending)
{
    std::lock_guard<std::mutex> lock(m_printFileSendStatusMutex);
    m_printFileSendStatus = sending;
}

void BuildPrint::updateSetParam(PrintingAdjust &adjust)
{
    ui->zValue->setText(QString::number(adjust.offset / 100.0, 'f', 2));
    ui->speed->setText(QString::number(adjust.speed) + '%');
}

// --- start: heating, homing, start position ---------------------------------

void BuildPrint::doorOpenProcess()
{
    serialObject->HeatingHalvorII(m_buildFileNozzleTemp, m_buildFilePlatformTemp);
    ExecuteReturnHome()->setObject(this);
    m_homing = true;
    if (m_isResumePrint) {
        sendCommands(HeadLift::commands(serialObject->serialCheckCode(QStringLiteral("M114")), kLiftMm, zRange));
        ExecuteReturnHome()->returnHome(true);
    } else {
        PrintingAdjust adjust;
        serialObject->getPrintingAdjust(adjust);
        config()->setPrintDetail(m_buildFileNozzleTemp, m_buildFilePlatformTemp, adjust.speed, adjust.offset);
        ExecuteReturnHome()->returnHome(false);
    }
    showExtruderTemp();
    setCommandButtonsEnabled(true);
}

void BuildPrint::checkReturnHomeDone()
{
    ExecuteReturnHome()->setObject(nullptr);
    m_homing = false;
    m_homed = true;
    deviationAbsoluteValue = 0;
    if (config()->getAutoSwitch()) {
        CalibrationAlgorithm calibration;
        calibration.initCalibrationAlgorithm();
        deviationAbsoluteValue = calibration.getdeviationAbsoluteValue();
    }
    serialObject->serialCheckCode(QStringLiteral("M112"));
    serialObject->serialSendCode(QStringLiteral("G90"));
    serialObject->serialSendCode(QStringLiteral("G92 X0 Y0 Z%1 A0 B0").arg(deviationAbsoluteValue, 0, 'f', 2));
    if (printState == Print_State_Pause)
        serialObject->stopHalvorIIHeating();
    else if (printState != Print_State_Stop)
        printState = Print_State_Play;
    if (!m_isResumePrint) {
        serialObject->serialSendCode(QStringLiteral("G1 Z10 F300"));
        serialObject->serialSendCode(QStringLiteral("G1 X10 Y10 F2000"));
    }
    QTimer::singleShot(TimeScale::ms(1000), this, &BuildPrint::checkSpecifiedLocationMove);
}

void BuildPrint::checkSpecifiedLocationMove()
{
    if (!isMotionIdle()) {
        QTimer::singleShot(TimeScale::ms(kIdlePollMs), this, &BuildPrint::checkSpecifiedLocationMove);
        return;
    }
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
    const QString degrees = QStringLiteral("%1/%2\u2103");
    ui->nozzle_status->setText(degrees.arg(mw->getCurrentExtruderTemp()).arg(mw->getTargetExtruderTemp()));
    ui->platform_status->setText(degrees.arg(mw->getCurrentPlatformTemp()).arg(mw->getTargetPlatformTemp()));
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
    serialObject->stopHalvorIIHeating();
    if (m_overTemperature)
        return;
    m_overTemperature = true;
    qCritical() << "BuildPrint: nozzle over temperature" << nozzleTemp;
    playTune(buzzerPlay::TUNE_ERROR);
    const QString text = tr("Abnormally print.\nPlease check the extruder.");
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->setLabelText(text);
    else
        new OneButtonDialog(QString(), text);
    OneButtonDialog::instOneButtonDialog->show();
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
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->setLabelText(text);
    else
        new OneButtonDialog(QString(), text);
    OneButtonDialog::instOneButtonDialog->show();
    QCoreApplication::processEvents();
    playTune(buzzerPlay::TUNE_FILAMENT_START);
    m_runOutPausePending = true;
    QTimer::singleShot(TimeScale::ms(2000), this, [this] {
        m_runOutPausePending = false;
        printPause();
    });
}

// Targets changed before sending (print-detail page) count for the print;
// the filament pages' own heating does not.
void BuildPrint::followTargetsBeforeSending()
{
    if (PrintPage::filamentPageOpen())
        return;
    const int nozzleTarget = mainWindow()->getTargetExtruderTemp();
    if (nozzleTarget != m_buildFileNozzleTemp && nozzleTarget > kLowestFollowedTarget
        && nozzleTarget != kFilamentPageTarget)
        m_buildFileNozzleTemp = nozzleTarget;
    const int bedTarget = mainWindow()->getTargetPlatformTemp();
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
        if (OneButtonDialog::instOneButtonDialog)
            OneButtonDialog::instOneButtonDialog->setLabelText(text);
        else
            new OneButtonDialog(QString(), text);
        OneButtonDialog::instOneButtonDialog->show();
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
        seconds = ++buildTime;
    }
    config()->setPowerOffResumePrintTime(seconds);
    if (++time60Second > 59) {
        time60Second = 0;
        config()->setPrinterTotalTime(1);
    }
}

void BuildPrint::showPrintProgress(float progress)
{
    printProgressValue = qMin(progress, 1.0f);
    ui->progressBar->setValue(qMax(1, static_cast<int>(printProgressValue * 100)));
    ui->progressBar->update();
}

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
    if (config()->getFilamentDetect() && mainWindow() && !mainWindow()->filamentCheckStatu()) {
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
    if (printState == Print_State_Play || printState == Print_State_Stop)
        return;
    printState = Print_State_Play;
    printPlayPauseDo();
}

void BuildPrint::printPlayPauseDo()
{
    const bool sending = getPrinterFileSendStatus();
    if (printState == Print_State_Pause) {
        if (mainWindow()) {
            m_getNozzleTempWhenPause = mainWindow()->getTargetExtruderTemp();
            m_getPlateTempWhenPause = mainWindow()->getTargetPlatformTemp();
        }
        setMachineStatus(true);
        setCommandButtonsEnabled(false);
        showWaitText(tr("Pausing...\nplease wait..."));
        showResumeButton();
        if (sending) {
            serialObject->slo_printingPause();
        } else if (!m_homed) {
            // Homing owns the axes: only record the pause; the buttons come
            // back once the head has reached the start position.
            serialObject->stopHalvorIIHeating();
            m_pausedWhileHoming = true;
        } else {
            serialObject->stopHalvorIIHeating();
            serialObject->serialSendCode(QStringLiteral("G1 X20 Y20 Z20"));
            QTimer::singleShot(TimeScale::ms(kIdlePollMs), this, &BuildPrint::checkMove);
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
        serialObject->HeatingHalvorII(m_getNozzleTempWhenPause, m_getPlateTempWhenPause);
        serialObject->slo_printingContinue();
    } else {
        m_pausedWhileHoming = false;
        serialObject->HeatingHalvorII(m_buildFileNozzleTemp, m_buildFilePlatformTemp);
        hideWait();
        setCommandButtonsEnabled(true);
    }
}

void BuildPrint::slot_printPause()
{
    printState = Print_State_Pause;
    // The file may have left the board in relative mode; the park moves are
    // absolute and the engine restores the file's mode when it resumes.
    serialObject->serialSendCode(QStringLiteral("G90"));
    sendCommands(liftCommands(kLiftMm));
    serialObject->serialSendCode(
        QStringLiteral("G1 X%1 Y%2 F2000").arg(xRange / 2).arg(yRange / 2));
    QTimer::singleShot(TimeScale::ms(kIdlePollMs), this, &BuildPrint::checkMove);
}

void BuildPrint::checkMove()
{
    if (!isMotionIdle()) {
        QTimer::singleShot(TimeScale::ms(kIdlePollMs), this, &BuildPrint::checkMove);
        return;
    }
    if (printState == Print_State_Pause) {
        finishParking();
    } else if (printState == Print_State_Stop) {
        playTune(buzzerPlay::TUNE_PAUSE);
        QTimer::singleShot(TimeScale::ms(3000), this, &QWidget::close);
    }
}

void BuildPrint::finishParking()
{
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
    showWaitText(tr("Cancelling Build..."));
    if (getPrinterFileSendStatus()) {
        slot_printAbort();
        setCommandButtonsEnabled(false);
        QCoreApplication::processEvents();
    } else {
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->stopHalvorIIHeating();
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
    printState = Print_State_Stop;
    serialObject->serialCheckCode(QStringLiteral("M112"));
    serialObject->stopHalvorIIHeating();
    const QStringList lift = liftCommands(kLiftMm);
    serialObject->serialSendCode(QStringLiteral("G90"));
    sendCommands(lift);
    serialObject->serialSendCode(QStringLiteral("G1 X0 F2000"));
    setCommandButtonsEnabled(false);
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->setLabelText(tr("Cancelling Build..."));
    QCoreApplication::processEvents();
    QTimer::singleShot(TimeScale::ms(1000), this, &BuildPrint::checkMove);
}

// --- completion --------------------------------------------------------------

void BuildPrint::slot_printOver()
{
    printState = Print_State_Stop;
    serialObject->stopHalvorIIHeating();
    const QStringList lift = liftCommands(kLiftMm);
    serialObject->serialSendCode(QStringLiteral("G90"));
    sendCommands(lift);
    serialObject->serialSendCode(QStringLiteral("G1 X0 Y0 F2000"));
    checkPrintOverMove();
    printAdjustReset();
    serialObject->setPoweroffCancelPrint();
}

void BuildPrint::checkPrintOverMove()
{
    if (!isMotionIdle()) {
        QTimer::singleShot(TimeScale::ms(kIdlePollMs), this, &BuildPrint::checkPrintOverMove);
        return;
    }
    playTune(buzzerPlay::TUNE_PRINT_DONE);
    serialObject->serialCheckCode(QStringLiteral("G90"));
    serialObject->serialSendCode(QStringLiteral("G92 X0 Y0 A0"));
    serialObject->serialSendCode(QStringLiteral("G1 Y180 F3000"));
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

void BuildPrint::on_buildSetting_pressed()
{
    if (!clickGuardPass() || !m_settingsPopup)
        return;
    m_settingsPopup->show();
    m_settingsPopup->raise();
}

// --- helpers -----------------------------------------------------------------

void BuildPrint::setCommandButtonsEnabled(bool enabled)
{
    ui->buildSetting->setEnabled(enabled);
    ui->play_pause->setEnabled(enabled);
    ui->stop->setEnabled(enabled);
}

void BuildPrint::showPauseButton()
{
    ui->play_pause->setIcon(icon("Pause.png"));
    ui->play_pause->setIconSize(QSize(26, 26));
    ui->play_pause->setText(tr("Pause"));
}

void BuildPrint::showResumeButton()
{
    ui->play_pause->setIcon(icon("Resume.png"));
    ui->play_pause->setIconSize(QSize(26, 26));
    ui->play_pause->setText(tr("Print"));
}

void BuildPrint::showWaitText(const QString &text)
{
    if (!OneLableDialog::instOneLableDialog)
        new OneLableDialog(QString());
    OneLableDialog::instOneLableDialog->setLabelText(text);
    OneLableDialog::instOneLableDialog->show();
}

void BuildPrint::hideWait()
{
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->hide();
}

void BuildPrint::setMachineStatus(bool paused)
{
    if (!mainWindow())
        return;
    mainWindow()->machineStatus = MACHINE_STATUS_BUILDING_FROM_SD;
    mainWindow()->moveMode = paused ? MOVE_MODE_PAUSED : MOVE_MODE_MOVING;
}

bool BuildPrint::isMotionIdle()
{
    return StringBrevik::isMotionIdle(serialObject->serialCheckCode(QStringLiteral("M121")));
}

void BuildPrint::sendCommands(const QStringList &commands)
{
    for (const QString &command : commands)
        serialObject->serialSendCode(command);
}

QStringList BuildPrint::liftCommands(float lift)
{
    return HeadLift::commands(serialObject->serialCheckCode(QStringLiteral("M114")), lift, zRange);
}

void BuildPrint::playTune(int tune)
{
    if (!config()->getBuzzerStatus())
        return;
    buzzerPlay *buzzer = buzzerPlay::getInstance("pwm1");
    buzzer->start();
    buzzer->play(static_cast<buzzerPlay::TuneId>(tune));
}

void BuildPrint::closeOpenQuestion()
{
    if (TwoButtonDialog::instTwoButtonDialog)
        TwoButtonDialog::instTwoButtonDialog->reject();
}
