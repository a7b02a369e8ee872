#include "leveling.h"
#include "menutable.h"
#include "pageframe.h"
#include "pageopener.h"
#include "platformlevel.h"
#include "ui_leveling.h"
#include "zcalibration.h"

#include <QIcon>

Leveling *Leveling::instLeveling = nullptr;

Leveling::Leveling(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Leveling)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);
    instLeveling = this;

    m_menu = new MenuTable(ui->tableWidget, this);
    connect(m_menu, &MenuTable::rowPressed, this, &Leveling::itemDoClicked);
    initData();
    showList();
}

Leveling::~Leveling()
{
    if (instLeveling == this)
        instLeveling = nullptr;
    delete ui;
}

void Leveling::initData()
{
    m_allItemInfoList.clear();
    m_allItemInfoList.append({LEVEL_PLATFORM_LEVEL, tr("Level")});
}

void Leveling::showList()
{
    QList<MenuRow> rows;
    for (const level_iteminfo &item : m_allItemInfoList)
        rows.append({item.itemText, QIcon(QStringLiteral(":/Resource/icon/Next.png"))});
    m_menu->setRows(rows);
}

void Leveling::itemDoClicked(int row)
{
    switch (m_allItemInfoList.at(row).actionType) {
    case LEVEL_PLATFORM_LEVEL:
        openPage(PlatformLevel::instPlatformLevel);
        break;
    case LEVEL_Z_CALIBRATION:
        openPage(ZCalibration::instZCalibration);
        break;
    }
}
