#include "home.h"
#include "ui_home.h"

#include "buzzerplay.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "machinepageclose.h"
#include "pageframe.h"
#include "serialobject.h"

#include <QDebug>

Home *Home::instHome = nullptr;

Home::Home(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Home)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->yes);
    ui->label->setText(tr("Homing, please wait..."));
    ui->yes->setEnabled(false);

    serialObject = ExecuteGetSerialObject()->serial();
    serialObject->serialSendCode(QStringLiteral("M17"));
    m_homing.start(false);
}

Home::~Home()
{
    qDebug() << "home.cpp Home::~Home";
    m_homing.release();
    closeMachinePage(serialObject);
    if (instHome == this)
        instHome = nullptr;
    delete ui;
}

void Home::checkReturnHomeDone()
{
    m_homing.release();
    // Absolute positioning from the homed corner, the extruder axes included.
    serialObject->serialSendCode(QStringLiteral("G90"));
    serialObject->serialSendCode(QStringLiteral("G92 X0 Y0 Z0 A0 B0"));
    ui->label->setText(tr("Homing completed"));
    ui->yes->setEnabled(true);
    if (getConfigFile()->configFile()->getBuzzerStatus()) {
        buzzerPlay::getInstance("pwm1")->start();
        buzzerPlay::getInstance("pwm1")->play(buzzerPlay::TUNE_PRINT_DONE);
    }
}

void Home::returnHomeFailed()
{
    // The helper has stopped the machine.
    m_homing.release();
    ui->label->setText(tr("Homing failed"));
    ui->yes->setEnabled(true);
}
