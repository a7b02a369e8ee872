#include "platformlevel.h"
#include "boardrequest.h"
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
    connect(m_idlePoller, &MotionIdlePoller::silent, this, &PlatformLevel::moveFailed);

    // The probe stays stowed: the user's eye and the nozzle do the measuring.
    // Whether the board took it all, the homing behind it tells.
    serialObject->request({QStringLiteral("M112"), QStringLiteral("M17"), QStringLiteral("M141 T90")}, this);

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
    m_homing.release();
    QStringList origin{QStringLiteral("G90"), QStringLiteral("G92 X0 Y0 Z0 A0 B0")};
    if (checkReturnHome == Return_Home_Before_Check)
        origin.prepend(QStringLiteral("M112"));
    // Homed only once the board has taken the homing's end.
    BoardRequest *end = serialObject->request(origin, this);
    connect(end, &BoardRequest::finished, this, [this, end] {
        if (!end->taken()) {
            returnHomeFailed();
            return;
        }
        m_isMove = false;
        if (checkReturnHome == Return_Home_Before_Check) {
            QTimer::singleShot(TimeScale::ms(kFirstCornerDelayMs), this, &PlatformLevel::platformLevelfirstStep);
            return;
        }
        ui->label->setText(tr("Leveling completed!"));
        // The screen stays live while the message shows.
        QTimer::singleShot(TimeScale::ms(CloseDelayMs), this, &PlatformLevel::close);
    });
}

void PlatformLevel::returnHomeFailed()
{
    showFailure(tr("Homing failed"));
}

void PlatformLevel::moveFailed()
{
    showFailure(tr("Moving failed"));
}

void PlatformLevel::showFailure(const QString &text)
{
    m_homing.release();
    m_idlePoller->stop();
    m_isMove = false;
    closeBusyNotice();
    ui->ok->hide();
    ui->label->setText(text);
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

// A corner is one request: the lift, the travel and the lowering are never
// cut apart, and the head is at the corner only once the board has taken
// all three and finished them.
void PlatformLevel::moveToCorner(int index)
{
    const Corner &corner = kCorners[index];
    m_isMove = true;
    BoardRequest *move = serialObject->request({QStringLiteral("G1 Z10 F300"),
                                                QStringLiteral("G1 X%1 Y%2 F3000").arg(corner.x).arg(corner.y),
                                                QStringLiteral("G1 Z0 F300")},
                                               this);
    connect(move, &BoardRequest::finished, this, [this, move] {
        if (move->taken())
            m_idlePoller->start(kFirstPollMs, kPollMs);
        else
            moveFailed();
    });
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
        serialObject->request(QStringLiteral("G1 Z10 F300"), this);
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
