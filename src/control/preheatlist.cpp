#include "preheatlist.h"
#include "ui_preheatlist.h"

#include "config.h"
#include "getconfigfile.h"
#include "menutable.h"
#include "pageframe.h"
#include "pageopener.h"
#include "preheat.h"

PreheatList *PreheatList::instPreheatList = nullptr;

PreheatList::PreheatList(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::PreheatList)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);

    m_menu = new MenuTable(ui->tableWidget, this);
    connect(m_menu, &MenuTable::rowPressed, this, &PreheatList::itemDoClicked);
    const QIcon next(QStringLiteral(":/Resource/icon/Next.png"));
    m_actions = {Action_PLA_Preheating, Action_ABS_Preheading};
    m_menu->setRows({{tr("PLA Preheat"), next}, {tr("ABS Preheat"), next}});
}

PreheatList::~PreheatList()
{
    delete Preheat::instPreheat;
    if (instPreheatList == this)
        instPreheatList = nullptr;
    delete ui;
}

void PreheatList::itemDoClicked(int index)
{
    Config *config = getConfigFile()->configFile();
    const bool pla = m_actions.value(index) == Action_PLA_Preheating;
    const int nozzle = pla ? config->getPLANozzleTemperature() : config->getABSNozzleTemperature();
    const int bed = pla ? config->getPLAPlatformTemperature() : config->getABSPlatformTemperature();
    openPage(Preheat::instPreheat, nozzle, bed);
}
