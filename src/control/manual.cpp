#include "manual.h"
#include "ui_manual.h"

#include "boardrequest.h"
#include "clickguard.h"
#include "executegetserialobject.h"
#include "machinepageclose.h"
#include "pageframe.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "timescale.h"

#include <QDebug>
#include <QTimer>

Manual *Manual::instManual = nullptr;

namespace {
// Targets beyond the travel (300 x 300 x 400): the move runs until "M112".
// On screen the front arrow moves the bed towards +Y.
const char *const MoveXMinus = "G1 X-305 F2000";
const char *const MoveXPlus = "G1 X305 F2000";
const char *const MoveFront = "G1 Y305 F2000";
const char *const MoveBack = "G1 Y-305 F2000";
const char *const MoveZDown = "G1 Z-405 F300";
const char *const MoveZUp = "G1 Z405 F300";
} // namespace

Manual::Manual(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Manual)
    , timer(new QTimer(this))
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    instManual = this;

    serialObject = ExecuteGetSerialObject()->serial();
    serialObject->request(QStringLiteral("M17"));
    showCoordinate();

    timer->setSingleShot(true);
    timer->setInterval(TimeScale::ms(HoldLimitMs));
    connect(timer, &QTimer::timeout, this, &Manual::timerOut);
}

Manual::~Manual()
{
    qDebug() << "manual.cpp Manual::~Manual";
    closeMachinePage(serialObject);
    if (instManual == this)
        instManual = nullptr;
    delete ui;
}

void Manual::on_back_clicked()
{
    if (clickGuardPass())
        close();
}

void Manual::startMove(const QString &command)
{
    qDebug() << "manual.cpp Manual::startMove" << command;
    serialObject->request(command);
    timer->start();
}

// The stop goes ahead of whatever the link still has in hand, and a move not
// yet written when the arrow is let go is not written at all.
void Manual::stopMove()
{
    timer->stop();
    serialObject->stopMotion();
    showCoordinate();
}

void Manual::timerOut()
{
    qDebug() << "manual.cpp Manual::timerOut hold limit reached";
    stopMove();
}

// Read after a stop, which goes to the board ahead of it: the position shown
// is where the head came to rest.
void Manual::showCoordinate()
{
    BoardRequest *request = serialObject->request(QStringLiteral("M114"), this);
    connect(request, &BoardRequest::finished, this, [this, request] {
        // A reply that cannot be read (short, or none) leaves all three at
        // 0.00 rather than showing a half-read position.
        float x = 0, y = 0, z = 0;
        StringBrevik::positionXYZ(request->reply(), x, y, z);
        ui->labelX->setText(QStringLiteral("X: ") + QString::number(x, 'f', 2));
        ui->labelY->setText(QStringLiteral("Y: ") + QString::number(y, 'f', 2));
        ui->labelZ->setText(QStringLiteral("Z: ") + QString::number(z, 'f', 2));
    });
}

void Manual::on_Xm_pressed() { startMove(QString::fromLatin1(MoveXMinus)); }
void Manual::on_Xm_released() { stopMove(); }
void Manual::on_Xp_pressed() { startMove(QString::fromLatin1(MoveXPlus)); }
void Manual::on_Xp_released() { stopMove(); }
void Manual::on_Ym_pressed() { startMove(QString::fromLatin1(MoveFront)); }
void Manual::on_Ym_released() { stopMove(); }
void Manual::on_Yp_pressed() { startMove(QString::fromLatin1(MoveBack)); }
void Manual::on_Yp_released() { stopMove(); }
void Manual::on_Zm_pressed() { startMove(QString::fromLatin1(MoveZDown)); }
void Manual::on_Zm_released() { stopMove(); }
void Manual::on_Zp_pressed() { startMove(QString::fromLatin1(MoveZUp)); }
void Manual::on_Zp_released() { stopMove(); }
