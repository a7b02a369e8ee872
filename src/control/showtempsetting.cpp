#include "showtempsetting.h"
#include "menutable.h"
#include "pageframe.h"
#include "pageopener.h"
#include "preheatpreset.h"
#include "ui_showtempsetting.h"

#include <QIcon>

ShowTempSetting *ShowTempSetting::instShowTempSetting = nullptr;

ShowTempSetting::ShowTempSetting(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ShowTempSetting)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);
    instShowTempSetting = this;
    m_menu = new MenuTable(ui->tableWidget, this);
    initData();
    showList();
    connect(m_menu, &MenuTable::rowPressed, this, &ShowTempSetting::itemDoClicked);
}

ShowTempSetting::~ShowTempSetting()
{
    if (instShowTempSetting == this)
        instShowTempSetting = nullptr;
    delete ui;
}

void ShowTempSetting::initData()
{
    m_AllItemInfoList = {
        {Action_PLA_Preheat, tr("PLA Preheat Setting")},
        {Action_ABS_Preheat, tr("ABS Preheat Setting")},
    };
}

void ShowTempSetting::showList()
{
    const QIcon next(QStringLiteral(":/Resource/icon/Next.png"));
    QList<MenuRow> rows;
    for (const ShowTemp_ItemInfo &item : m_AllItemInfoList)
        rows.append({item.itemText, next});
    m_menu->setRows(rows);
}

void ShowTempSetting::itemDoClicked(int row)
{
    switch (m_AllItemInfoList.at(row).actionType) {
    case Action_PLA_Preheat:
        openPage(PLAPreHeat::instPLAPreHeat);
        break;
    case Action_ABS_Preheat:
        openPage(ABSPreHeat::instABSPreHeat);
        break;
    }
}
