#include "unloadfilament.h"
#include "executegetserialobject.h"
#include "filamentheat.h"
#include "loadfilament.h"
#include "machinepageclose.h"
#include "motionidle.h"
#include "pageframe.h"
#include "pageopener.h"
#include "serialobject.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "ui_unloadfilament.h"

#include <QDebug>
#include <QTimer>

UnloadFilament *UnloadFilament::instUnloadFilament = nullptr;
const int UnloadFilament::extruderSetTemp = FilamentHeat::SetTemp;

UnloadFilament::UnloadFilament(bool isprint, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::UnloadFilament)
    , m_worker(this)
    , m_isprint(isprint)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget_2, ui->back);
    instUnloadFilament = this;
    ui->label_2->hide();
    ui->btn_load->hide();

    serialObject = ExecuteGetSerialObject()->serial();
    FilamentHeat::requestLoadHeat(serialObject, this, [this] {
        return state() == CHANGE_FILAMENT_FIRST_PREHEAT && !m_extruderIsAbnormal;
    });
    ui->back->hide();

    ui->label->setText(tr("Extruder heating..."));
    ui->extruderTemp->setText(FilamentHeat::currentText());
    ui->extruderTargetTemp->setText(FilamentHeat::targetText(extruderSetTemp));

    connect(this, &UnloadFilament::sig_preheatCompleted, this, &UnloadFilament::preheatCompleted);
    connect(this, &UnloadFilament::sig_unloadFilamentCompleted, this,
            &UnloadFilament::unloadFilamentCompleted);
    connect(this, &UnloadFilament::sig_abnormalTemperature, this, &UnloadFilament::abnormalTemperature);
    connect(this, &UnloadFilament::sig_closePage, this, &UnloadFilament::closePage);

    if (!m_worker.start([this] { return performChangeFilamentProcess(); }))
        qCritical() << "unloadfilament.cpp UnloadFilament::UnloadFilament create pthread error";
}

UnloadFilament::~UnloadFilament()
{
    // Every worker that could still move the extruder is joined before the
    // closing commands: this page's and that of a load page opened from here.
    m_worker.stop();
    if (m_cancelQuestion)
        m_cancelQuestion->close();
    delete LoadFilament::instLoadFilament;
    if (serialObject) {
        stopMachine(serialObject);
        serialObject->request({QStringLiteral("M18"), QStringLiteral("G92 E0")});
        serialObject->requestHeaters(0, 0);
    }
    if (instUnloadFilament == this)
        instUnloadFilament = nullptr;
    delete ui;
}

int UnloadFilament::performChangeFilamentProcess()
{
    const int t = FilamentHeat::guardedReadOut(m_worker, ui->extruderTemp, ui->extruderTargetTemp,
                                               m_extruderIsAbnormal, [this] { emit sig_abnormalTemperature(); });
    if (t < 0)
        return 1;

    switch (m_changeFilamentProcess.load()) {
    case CHANGE_FILAMENT_FIRST_PREHEAT:
        if (FilamentHeat::inLoadWindow(t)) {
            emit sig_preheatCompleted();
            m_changeFilamentProcess = CHANGE_FILAMENT_SECOND_UNLOADING;
            // No button while the filament moves: the brand strip covers the bar.
            m_worker.post([this] {
                ui->label_2->show();
                ui->widget_2->hide();
            });
        }
        return 0;
    case CHANGE_FILAMENT_SECOND_UNLOADING:
        m_worker.post([this] { ui->label->setText(tr("Unloading the filament\n about 1 minute...")); });
        FilamentHeat::playStartTune();
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->serialSendCode(QStringLiteral("G92 E0"));
        serialObject->serialSendCode(QStringLiteral("G1 E10 F180"));
        m_changeFilamentProcess = CHANGE_FILAMENT_THIRD_PRELOADING;
        return 0;
    case CHANGE_FILAMENT_THIRD_PRELOADING:
        if (MotionIdle::check(serialObject)) {
            serialObject->serialSendCode(QStringLiteral("G1 E-1000 F4000"));
            m_changeFilamentProcess = CHANGE_FILAMENT_FORTH_FAST_UNLOAD;
        }
        return 0;
    case CHANGE_FILAMENT_FORTH_FAST_UNLOAD:
        if (!MotionIdle::check(serialObject))
            return 0;
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->stopHalvorIIHeating();
        emit sig_unloadFilamentCompleted();
        m_changeFilamentProcess = CHANGE_FILAMENT_EIGHT_COMPLETED;
        m_worker.post([this] {
            ui->label->setText(tr("Unloading completed"));
            ui->label_2->hide();
            ui->widget_2->show();
            ui->btn_load->setVisible(m_isprint);
        });
        return -1;
    default:
        return 0;
    }
}

void UnloadFilament::preheatCompleted()
{
    ui->close->hide();
}

void UnloadFilament::unloadFilamentCompleted()
{
    ui->labelTip->hide();
    ui->extruderTargetTemp->hide();
    ui->extruderTemp->hide();
    ui->label->move(0, 100);
    ui->back->show();
}

void UnloadFilament::abnormalTemperature()
{
    stopMachine(serialObject);
    serialObject->requestHeaters(0, 0);
    ui->label->setText(tr("Abnormal temperature,\nPlease check the extruder."));
    // However far the sequence got, the user must be able to leave.
    ui->label_2->hide();
    ui->widget_2->show();
    ui->close->show();
}

void UnloadFilament::on_close_pressed()
{
    if (m_extruderIsAbnormal) {
        close();
        return;
    }
    if (!FilamentHeat::confirmCancel(this, m_cancelQuestion, tr("Cancel unload"),
                                     tr("Are you sure to\n cancel unload?")))
        return;
    m_worker.stop();
    stopMachine(serialObject);
    serialObject->requestHeaters(0, 0);
    emit sig_closePage();
}

void UnloadFilament::closePage()
{
    qCritical() << "unloadfilament.cpp UnloadFilament::closePage close page:" << m_completeClosePage;
    if (m_completeClosePage)
        return;
    m_completeClosePage = true;
    ui->close->setEnabled(false);
    QTimer::singleShot(TimeScale::ms(FilamentHeat::CloseDelayMs), this, &UnloadFilament::closeOperation);
}

void UnloadFilament::closeOperation()
{
    close();
}

void UnloadFilament::on_btn_load_clicked()
{
    if (LoadFilament::instLoadFilament)
        return;
    openPage(LoadFilament::instLoadFilament, m_isprint);
    // Stays alive behind the load page: it comes back when loading is
    // cancelled and closes with it when loading ends.
    hide();
}
