#include "home.h"
#include "ui_home.h"

#include "boardrequest.h"
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
    // Homing starts once the motors are on.
    BoardRequest *motorsOn = serialObject->request(QStringLiteral("M17"), this);
    connect(motorsOn, &BoardRequest::finished, this, [this, motorsOn] {
        if (motorsOn->outcome() == BoardRequest::Outcome::NotTaken)
            showFailed();
        else
            m_homing.start(false);
    });
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
    // Absolute positioning from the homed corner, the extruder axes included,
    // as one sequence: homing is done once the board has taken both.
    BoardRequest *origin =
        serialObject->request({QStringLiteral("G90"), QStringLiteral("G92 X0 Y0 Z0 A0 B0")}, this);
    connect(origin, &BoardRequest::finished, this, [this, origin] {
        if (origin->outcome() == BoardRequest::Outcome::NotTaken) {
            showFailed();
            return;
        }
        ui->label->setText(tr("Homing completed"));
        ui->yes->setEnabled(true);
        if (getConfigFile()->configFile()->getBuzzerStatus()) {
            buzzerPlay::getInstance("pwm1")->start();
            buzzerPlay::getInstance("pwm1")->play(buzzerPlay::TUNE_PRINT_DONE);
        }
    });
}

void Home::returnHomeFailed()
{
    // The helper has stopped the machine; a homing end the board did not
    // take is kept for it by the link (absolute positioning).
    m_homing.release();
    showFailed();
}

// Homing gave up, or the board did not take the motors-on before it or the
// origin after it: say so and let the user out.
void Home::showFailed()
{
    ui->label->setText(tr("Homing failed"));
    ui->yes->setEnabled(true);
}
