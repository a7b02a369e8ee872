#include "control.h"
#include "ui_control.h"

#include "boardrequest.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "home.h"
#include "loadfilament.h"
#include "manual.h"
#include "menutable.h"
#include "pageframe.h"
#include "pageopener.h"
#include "preheatlist.h"
#include "serialobject.h"
#include "unloadfilament.h"

#include <QDebug>

Control *Control::instControl = nullptr;

namespace {
const char *const NextIcon = ":/Resource/icon/Next.png";
}

Control::Control(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Control)
{
    qCritical() << "control.cpp Control::Control";
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);

    m_serialObject = ExecuteGetSerialObject()->serial();
    m_serialObject->request(QStringLiteral("M17"));

    m_menu = new MenuTable(ui->tableWidget, this);
    m_menu->setPaging(ui->up, ui->down, ui->show);
    connect(m_menu, &MenuTable::rowPressed, this, &Control::itemDoClicked);
    initData();
}

Control::~Control()
{
    qCritical() << "control.cpp Control::~Control";
    if (instControl == this)
        instControl = nullptr;
    delete ui;
}

MenuRow Control::motorRow() const
{
    return {tr("Motor"), QIcon(QString::fromLatin1(m_motorStatus ? ":/Resource/icon/open.png"
                                                                 : ":/Resource/icon/close.png"))};
}

void Control::initData()
{
    // The board follows the stored motor state, whatever the M17 above did.
    m_motorStatus = getConfigFile()->configFile()->getMotorStatus();
    m_serialObject->request(QString::fromLatin1(m_motorStatus ? "M17" : "M18"));

    const QIcon next(QString::fromLatin1(NextIcon));
    m_actions = {Action_Move, Action_Motor_Enable, Action_Homing, Action_Loading, Action_Unloading, Action_PreheatList};
    m_menu->setRows({{tr("Move"), next},
                     motorRow(),
                     {tr("Homing"), next},
                     {tr("Load"), next},
                     {tr("Unload"), next},
                     {tr("Preheat"), next}});
}

// The switch shows what the board has: it turns once the board has taken
// the command, and a command it did not take leaves the switch and the
// setting as they were. Presses while a switch is on its way are ignored, so
// that each press turns the state the row shows.
void Control::toggleMotors()
{
    if (m_motorSwitching)
        return;
    m_motorSwitching = true;
    const bool on = !m_motorStatus;
    BoardRequest *request = m_serialObject->request(QString::fromLatin1(on ? "M17" : "M18"), this);
    connect(request, &BoardRequest::finished, this, [this, request, on] {
        m_motorSwitching = false;
        if (!request->taken()) {
            qWarning() << "Control: the board did not take the motor switch";
            return;
        }
        m_motorStatus = on;
        getConfigFile()->configFile()->setMotorStatus(m_motorStatus);
        QList<MenuRow> rows = m_menu->rows();
        rows[m_actions.indexOf(Action_Motor_Enable)] = motorRow();
        m_menu->setRows(rows);
    });
}

void Control::itemDoClicked(int index)
{
    switch (m_actions.value(index)) {
    case Action_Move:
        openPage(Manual::instManual);
        break;
    case Action_Motor_Enable:
        toggleMotors();
        break;
    case Action_Homing:
        openPage(Home::instHome);
        break;
    case Action_Loading:
        openPage(LoadFilament::instLoadFilament, false);
        break;
    case Action_Unloading:
        openPage(UnloadFilament::instUnloadFilament, false);
        break;
    case Action_PreheatList:
        openPage(PreheatList::instPreheatList);
        break;
    }
}
