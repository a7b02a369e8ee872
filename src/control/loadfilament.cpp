#include "loadfilament.h"
#include "boardrequest.h"
#include "executegetserialobject.h"
#include "filamentheat.h"
#include "machinepageclose.h"
#include "motionidle.h"
#include "pageframe.h"
#include "serialobject.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "ui_loadfilament.h"
#include "unloadfilament.h"

#include <QDebug>
#include <QTimer>

LoadFilament *LoadFilament::instLoadFilament = nullptr;
const int LoadFilament::extruderSetTemp = FilamentHeat::SetTemp;

LoadFilament::LoadFilament(bool isprint, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::LoadFilament)
    , m_worker(this)
    , m_isprint(isprint)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(PageFrame::PageWidth, PageFrame::PageHeight);
    move(PageFrame::PagePosition);
    PageFrame::setBackground(this);
    ui->widget_2->setAttribute(Qt::WA_StyledBackground);
    instLoadFilament = this;

    serialObject = ExecuteGetSerialObject()->serial();
    FilamentHeat::requestLoadHeat(serialObject, this, [this] {
        return state() == LOADING_FILAMENT_FIRST_PREHEAT && !m_extruderIsAbnormal && !m_homingFailed;
    });

    ui->label->setText(tr("Extruder heating..."));
    ui->extruderTemp->setText(FilamentHeat::currentText());
    ui->extruderTargetTemp->setText(FilamentHeat::targetText(extruderSetTemp));

    // X and Y only from a paused print: homing Z would lose the print's height.
    m_homing.start(m_isprint);

    connect(this, &LoadFilament::sig_abnormalTemperature, this, &LoadFilament::abnormalTemperature);
    connect(this, &LoadFilament::sig_closePage, this, &LoadFilament::closePage);

    QTimer::singleShot(TimeScale::ms(1), this, &LoadFilament::performingLoadOperations);
}

LoadFilament::~LoadFilament()
{
    // The worker is joined before the closing commands, so no push of the
    // sequence can follow them.
    stopSequence();
    if (m_cancelQuestion)
        m_cancelQuestion->close();
    // Another page's homing keeps the machine.
    if (serialObject && !HomingClaim::homingUnderWay()) {
        stopMachine(serialObject);
        serialObject->request(QStringLiteral("M18"));
    }
    if (instLoadFilament == this)
        instLoadFilament = nullptr;
    delete ui;
}

void LoadFilament::stopSequence()
{
    m_homing.release();
    m_worker.stop();
}

void LoadFilament::leave()
{
    if (m_isprint && UnloadFilament::instUnloadFilament)
        UnloadFilament::instUnloadFilament->show();
    close();
}

void LoadFilament::performingLoadOperations()
{
    if (!m_worker.start([this] { return performFilamentFeedingProcess(); }))
        qCritical() << "loadfilament.cpp LoadFilament::performingLoadOperations creare pthread error.";
}

int LoadFilament::performFilamentFeedingProcess()
{
    const int t = FilamentHeat::guardedReadOut(m_worker, ui->extruderTemp, ui->extruderTargetTemp,
                                               m_extruderIsAbnormal, [this] { emit sig_abnormalTemperature(); });
    if (t < 0 || m_homingFailed)
        return 1;

    switch (m_loadingFilamentProcess.load()) {
    case LOADING_FILAMENT_FIRST_PREHEAT:
        if (FilamentHeat::inLoadWindow(t)) {
            emit sig_preheatCompleted();
            m_loadingFilamentProcess = LOADING_FILAMENT_SECOND_HOME;
        }
        return 0;
    case LOADING_FILAMENT_SECOND_HOME:
        if (m_homeIsCompleted)
            m_loadingFilamentProcess = LOADING_FILAMENT_THIRD_SENSOR;
        return 0;
    case LOADING_FILAMENT_THIRD_SENSOR:
        m_loadingFilamentProcess = LOADING_FILAMENT_FORTH_START_LOADING;
        return 0;
    case LOADING_FILAMENT_FORTH_START_LOADING:
        if (!MotionIdle::check(serialObject))
            return 0;
        m_worker.post([this] { ui->label->setText(tr("Preheat completed.\n Begin loading...")); });
        FilamentHeat::playStartTune();
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->serialSendCode(QStringLiteral("G92 E0"));
        serialObject->serialSendCode(QStringLiteral("G1 E350 F2000"));
        m_loadingFilamentProcess = LOADING_FILAMENT_FIFTH_FAST_SPEED;
        return 0;
    case LOADING_FILAMENT_FIFTH_FAST_SPEED:
        if (!MotionIdle::check(serialObject))
            return 0;
        m_worker.post([this] {
            ui->label->setText(tr("Loading,about 1-2 minute\nPress ok when new color appears"));
            ui->close->setText(tr("ok"));
        });
        serialObject->serialSendCode(QStringLiteral("G1 E900 F180"));
        m_loadingFilamentProcess = LOADING_FILAMENT_SIXTH_SLOW_SPEED;
        return 0;
    case LOADING_FILAMENT_SIXTH_SLOW_SPEED:
        if (MotionIdle::check(serialObject))
            m_loadingFilamentProcess = LOADING_FILAMENT_SEVENTH_COMPLETED;
        return 0;
    case LOADING_FILAMENT_SEVENTH_COMPLETED:
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->stopHalvorIIHeating();
        emit sig_closePage();
        return -1;
    }
    return -1;
}

void LoadFilament::checkReturnHomeDone()
{
    m_homing.release();
    // The guard may have tripped while homing ended: then the head stays put.
    if (m_extruderIsAbnormal)
        return;
    // One request each, so that the board never stays relative behind a
    // lift cut short. From a print the lift is relative to where the print
    // stopped: its Z origin must stay.
    const QStringList park = m_isprint
        ? QStringList{QStringLiteral("M112"), QStringLiteral("G91"), QStringLiteral("G1 Z10 F400"),
                      QStringLiteral("G90")}
        : QStringList{QStringLiteral("M112"), QStringLiteral("G92 X0 Y0 Z0"), QStringLiteral("G90"),
                      QStringLiteral("G1 Z100 F400"), QStringLiteral("G1 X10 F2000")};
    BoardRequest *request = serialObject->request(park, this);
    connect(request, &BoardRequest::finished, this, [this, request] {
        if (m_extruderIsAbnormal)
            return;
        if (request->taken())
            m_homeIsCompleted = true;
        else
            returnHomeFailed();
    });
}

void LoadFilament::returnHomeFailed()
{
    // The helper has stopped the machine, or the link has wound up a park
    // the board did not take; the read-out keeps ticking so that the user
    // sees the nozzle cool down.
    m_homing.release();
    m_homingFailed = true;
    serialObject->requestHeaters(0, 0);
    ui->label->setText(tr("Homing failed"));
}

void LoadFilament::abnormalTemperature()
{
    // No park move may follow a stop for over-temperature.
    m_homing.release();
    stopMachine(serialObject);
    serialObject->requestHeaters(0, 0);
    ui->label->setText(tr("Abnormal temperature,\nplease check the extruder."));
}

void LoadFilament::on_close_pressed()
{
    if (m_extruderIsAbnormal) {
        emit sig_closePage();
        return;
    }
    if (m_homingFailed) {
        leave();
        return;
    }
    switch (m_loadingFilamentProcess.load()) {
    case LOADING_FILAMENT_FIRST_PREHEAT:
    case LOADING_FILAMENT_SECOND_HOME:
    case LOADING_FILAMENT_THIRD_SENSOR:
    case LOADING_FILAMENT_FORTH_START_LOADING:
        if (!FilamentHeat::confirmCancel(this, m_cancelQuestion, tr("Cancel load"),
                                         tr("Are you sure to\n cancel load?")))
            return;
        stopSequence();
        stopMachine(serialObject);
        serialObject->requestHeaters(0, 0);
        leave();
        return;
    case LOADING_FILAMENT_FIFTH_FAST_SPEED:
        return;
    case LOADING_FILAMENT_SIXTH_SLOW_SPEED:
    case LOADING_FILAMENT_SEVENTH_COMPLETED:
        serialObject->requestHeaters(0, 0);
        emit sig_closePage();
        return;
    }
}

void LoadFilament::closePage()
{
    qCritical() << "loadfilament.cpp LoadFilament::closePage close page:" << m_completeClosePage;
    if (m_completeClosePage)
        return;
    m_completeClosePage = true;
    ui->close->setEnabled(false);
    QTimer::singleShot(TimeScale::ms(FilamentHeat::CloseDelayMs), this, &LoadFilament::closeOperation);
}

void LoadFilament::closeOperation()
{
    if (m_isprint && UnloadFilament::instUnloadFilament)
        UnloadFilament::instUnloadFilament->close();
    close();
}
