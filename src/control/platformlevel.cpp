#include "platformlevel.h"
#include "buzzerplay.h"
#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "machinepageclose.h"
#include "motionidle.h"
#include "onelabledialog.h"
#include "pageframe.h"
#include "serialobject.h"
#include "timescale.h"
#include "ui_platformlevel.h"

#include <QDebug>
#include <QPainter>
#include <QTimer>

PlatformLevel *PlatformLevel::instPlatformLevel = nullptr;

namespace {

struct Corner {
    int x;
    int y;
};

// In the order visited: front left, front right, back right, back left.
constexpr Corner kCorners[] = {{27, 20}, {270, 20}, {270, 280}, {27, 280}};

// The first idle poll waits for the move to get going, later ones repeat.
constexpr int kFirstPollMs = 2000;
constexpr int kPollMs = 1000;
constexpr int kFirstCornerDelayMs = 200;

void closeBusyNotice()
{
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->close();
}

} // namespace

PlatformLevel::PlatformLevel(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PlatformLevel)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);
    instPlatformLevel = this;

    serialObject = ExecuteGetSerialObject()->serial();
    m_idlePoller = new MotionIdlePoller(serialObject, this);
    connect(m_idlePoller, &MotionIdlePoller::idle, this, &PlatformLevel::arrivedAtCorner);

    serialObject->serialCheckCode(QStringLiteral("M112"));
    serialObject->serialSendCode(QStringLiteral("M17"));
    // The probe stays stowed: the user's eye and the nozzle do the measuring.
    serialObject->serialCheckCode(QStringLiteral("M141 T90"));

    m_isMove = true;
    ui->ok->setText(tr("Next"));
    ui->label_logo->hide();
    showBusy(tr("Pre-adjusting, please wait..."));

    m_calibration_step = Step_Point1;
    checkReturnHome = Return_Home_Before_Check;
    m_homing.start(false);
}

PlatformLevel::~PlatformLevel()
{
    qDebug() << "platformlevel.cpp PlatformLevel::~PlatformLevel";
    m_homing.release();
    closeMachinePage(serialObject);
    closeBusyNotice();
    if (instPlatformLevel == this)
        instPlatformLevel = nullptr;
    delete ui;
}

void PlatformLevel::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(0xe5, 0xe5, 0xe5), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(0, 0, width(), 0);
}

void PlatformLevel::checkReturnHomeDone()
{
    m_isMove = false;
    m_homing.release();
    if (checkReturnHome == Return_Home_Before_Check) {
        serialObject->serialCheckCode(QStringLiteral("M112"));
        serialObject->serialSendCode(QStringLiteral("G90"));
        serialObject->serialSendCode(QStringLiteral("G92 X0 Y0 Z0 A0 B0"));
        QTimer::singleShot(TimeScale::ms(kFirstCornerDelayMs), this, &PlatformLevel::platformLevelfirstStep);
        return;
    }
    serialObject->serialSendCode(QStringLiteral("G90"));
    serialObject->serialSendCode(QStringLiteral("G92 X0 Y0 Z0 A0 B0"));
    ui->label->setText(tr("Leveling completed!"));
    // The screen stays live while the message shows.
    QTimer::singleShot(TimeScale::ms(CloseDelayMs), this, &PlatformLevel::close);
}

void PlatformLevel::returnHomeFailed()
{
    m_homing.release();
    m_isMove = false;
    closeBusyNotice();
    ui->ok->hide();
    ui->label->setText(tr("Homing failed"));
    ui->label->show();
    // After the fourth corner the logo stands where the back bar was.
    ui->label_logo->hide();
    ui->widget->show();
}

void PlatformLevel::platformLevelfirstStep()
{
    m_calibration_step = Step_Point1;
    moveToCorner(0);
}

void PlatformLevel::moveToCorner(int index)
{
    const Corner &corner = kCorners[index];
    m_isMove = true;
    serialObject->serialSendCode(QStringLiteral("G1 Z10 F300"));
    serialObject->serialSendCode(QStringLiteral("G1 X%1 Y%2 F3000").arg(corner.x).arg(corner.y));
    serialObject->serialSendCode(QStringLiteral("G1 Z0 F300"));
    m_idlePoller->start(kFirstPollMs, kPollMs);
}

void PlatformLevel::arrivedAtCorner()
{
    m_isMove = false;
    switch (m_calibration_step) {
    case Step_Point1:
        m_calibration_step = Step_Point2;
        break;
    case Step_Point2:
        m_calibration_step = Step_Point3;
        break;
    case Step_Point3:
        m_calibration_step = Step_Point4;
        break;
    case Step_Point4:
        ui->ok->setText(tr("Complete"));
        ui->label_logo->show();
        ui->widget->hide();
        m_calibration_step = Step_Completed;
        break;
    case Step_Completed:
        return;
    }
    if (getConfigFile()->configFile()->getBuzzerStatus()) {
        buzzerPlay *buzzer = buzzerPlay::getInstance("pwm1");
        buzzer->start();
        buzzer->play(buzzerPlay::TUNE_STARTUP);
    }
    ui->label->show();
    closeBusyNotice();
}

void PlatformLevel::on_ok_clicked()
{
    qDebug() << "platformlevel.cpp PlatformLevel::on_ok_clicked step" << m_calibration_step;
    // A second tap that arrives while the guard lets events through finds
    // the guard set and does nothing; no lock is held meanwhile.
    if (m_isMove || !clickGuardPass("TOOLBUTTON_DIALOG_YES_STYLE"))
        return;
    switch (m_calibration_step) {
    case Step_Point1:
        return;
    case Step_Point2:
        showBusy(tr("Moving to point 2.\nPlease wait..."));
        moveToCorner(1);
        return;
    case Step_Point3:
        showBusy(tr("Moving to point 3.\nPlease wait..."));
        moveToCorner(2);
        return;
    case Step_Point4:
        showBusy(tr("Moving to point 4.\nPlease wait..."));
        moveToCorner(3);
        return;
    case Step_Completed:
        serialObject->serialSendCode(QStringLiteral("G1 Z10 F300"));
        m_isMove = true;
        checkReturnHome = Return_Home_Check_Complete;
        m_homing.start(false);
        extruderCalibrationDone();
        return;
    }
}

// The nut instruction belongs to a corner reached: while the head moves, the
// notice alone says what happens, and no half-covered line shows behind it.
void PlatformLevel::showBusy(const QString &text)
{
    ui->label->hide();
    if (!OneLableDialog::instOneLableDialog)
        (new OneLableDialog(text))->show();
}

void PlatformLevel::hiddenUI()
{
    ui->label->hide();
    ui->widget->hide();
    ui->ok->hide();
}

void PlatformLevel::extruderCalibrationDone()
{
    hiddenUI();
    ui->label->move(0, 112);
    ui->label->setText(tr("Calibration is stored. Extruder is homing..."));
    ui->label->show();
}
