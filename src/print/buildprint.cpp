// The printing page's construction, screen and accessors; the start
// sequence and the status tick are in buildprintstart.cpp, the run
// (pause, resume, cancel, completion) in buildprintrun.cpp.
#include "buildprint.h"
#include "ui_buildprint.h"

#include "buildprintcommon.h"
#include "clickguard.h"
#include "executegetserialobject.h"
#include "lan/myserver.h"
#include "motionidle.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "pageframe.h"
#include "printfilecheck.h"
#include "printlimits.h"
#include "printpagehooks.h"
#include "resumeprintconfigsavefile.h"
#include "serialobject.h"
#include "timescale.h"
#include "twobuttondialog.h"

#include <QDebug>
#include <QFileInfo>
#include <QFontMetrics>
#include <QTimer>

using namespace BuildPrintCommon;

BuildPrint *BuildPrint::instBuildPrint = nullptr;

namespace {
const char *const kButtonStyle =
    "QToolButton{background-color:#222222;border-radius:10px;padding-top:15px;color:#FFFFFF;font: %1;border:0px;}"
    "QToolButton:pressed{background-color:#c2172d;color:#FFFFFF;border: 0px;}";

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
    serialObject->request(QStringLiteral("M17"));
    heatersOff();
    watchTheBoard();
    serialObject->setInitPrintingPersent();
    serialObject->slo_printCtlInit();
    connectEngine();
    FILESNAMESPACE::ResumePrintConfigSaveFile()->startRecord();

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
    m_homing.release();
    // Runs after the page has gone. Against a board that does not answer
    // only the motors-off matters: the link keeps the first one and sends it
    // once the board is back.
    if (serialObject)
        serialObject->request({QStringLiteral("M18"), QStringLiteral("M112"), QStringLiteral("M17 Y"),
                               QStringLiteral("G92 E0"), QStringLiteral("M18")});
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
    if (instBuildPrint == this)
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
    // Every offered language's button texts fit at 16 px, so none is shrunk.
    const QString style = QString::fromLatin1(kButtonStyle).arg(QStringLiteral("16px"));
    ui->stop->setStyleSheet(style);
    ui->play_pause->setStyleSheet(style);
    ui->buildSetting->setStyleSheet(style);

    const QString name = QFileInfo(m_filePathName).fileName().trimmed();
    // The label's style sheet sets its font; elide with that font, or the
    // text is cut at both ends.
    ui->printFileName->ensurePolished();
    ui->printFileName->setText(ui->printFileName->fontMetrics().elidedText(name, Qt::ElideRight, 250));

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

// The waits for the start position and for a park, and where the print
// thread parks the head.
void BuildPrint::watchTheBoard()
{
    m_startIdle = new MotionIdlePoller(serialObject, this);
    connect(m_startIdle, &MotionIdlePoller::idle, this, &BuildPrint::checkSpecifiedLocationMove);
    connect(m_startIdle, &MotionIdlePoller::silent, this, &BuildPrint::giveUpOnBoard);
    m_parkIdle = new MotionIdlePoller(serialObject, this);
    connect(m_parkIdle, &MotionIdlePoller::idle, this, [this] { (this->*m_afterPark)(); });
    connect(m_parkIdle, &MotionIdlePoller::silent, this, &BuildPrint::giveUpOnBoard);
    ParkPlaces places;
    places.lift = kLiftMm;
    places.zMax = zRange;
    places.pauseX = xRange / 2;
    places.pauseY = yRange / 2;
    serialObject->setParkPlaces(places);
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
    PrintLimits::PrintSettings stored{config()->getExtruderTemp(), config()->getPlateTemp(), PrintingAdjust()};
    stored.adjust.speed = config()->getPrintSpeed();
    stored.adjust.offset = config()->getZOffset();
    // The file's own targets and the neutral adjustments stand in for any
    // stored value the print-detail page could not have set.
    const PrintLimits::PrintSettings settings = PrintLimits::usableForResume(
        stored, {m_buildFileNozzleTemp, m_buildFilePlatformTemp, PrintingAdjust()});
    m_buildFileNozzleTemp = settings.nozzle;
    m_buildFilePlatformTemp = settings.bed;
    // Stored again as used: the print-detail page starts from them too.
    config()->setPrintDetail(settings.nozzle, settings.bed, settings.adjust.speed, settings.adjust.offset);
    PrintingAdjust adjust = settings.adjust;
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

void BuildPrint::showPrintProgress(float progress)
{
    printProgressValue = qMin(progress, 1.0f);
    ui->progressBar->setValue(qMax(1, static_cast<int>(printProgressValue * 100)));
    ui->progressBar->update();
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

void BuildPrint::closeOpenQuestion()
{
    if (TwoButtonDialog::instTwoButtonDialog)
        TwoButtonDialog::instTwoButtonDialog->reject();
}
