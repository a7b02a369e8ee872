#include "setting.h"
#include "config.h"
#include "executegetserialobject.h"
#include "factorysetting.h"
#include "getconfigfile.h"
#include "language.h"
#include "menutable.h"
#include "pageframe.h"
#include "pageopener.h"
#include "serialobject.h"
#include "showtempsetting.h"
#include "transmissionratio.h"
#include "ui_setting.h"

Setting *Setting::instSetting = nullptr;

namespace {

SettingPageOpeners pageOpeners;

QIcon icon(const char *name)
{
    return QIcon(QStringLiteral(":/Resource/icon/") + QLatin1String(name) + QStringLiteral(".png"));
}

QIcon toggleIcon(bool on)
{
    return icon(on ? "open" : "close");
}

void openIfSet(const std::function<void()> &opener)
{
    if (opener)
        opener();
}

} // namespace

void Setting::setPageOpeners(const SettingPageOpeners &openers)
{
    pageOpeners = openers;
}

Setting::Setting(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Setting)
    , m_serialObject(ExecuteGetSerialObject()->serial())
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);
    instSetting = this;
    m_menu = new MenuTable(ui->tableWidget, this);
    m_menu->setPaging(ui->up, ui->down, ui->show);
    ui->up->setIconSize(QSize(32, 32));
    ui->down->setIconSize(QSize(32, 32));
    initData();
    showList();
    connect(m_menu, &MenuTable::rowPressed, this, &Setting::itemDoClicked);
}

Setting::~Setting()
{
    if (instSetting == this)
        instSetting = nullptr;
    delete ui;
}

void Setting::updateDisplayLabel()
{
    initData();
    showList();
    ui->back->setText(PageFrame::backText());
}

void Setting::initData()
{
    Config *config = getConfigFile()->configFile();
    m_resumePrintStatus = config->getPowerOffResumePrintStatus();
    m_filamentDetectStatus = config->getFilamentDetect();
    m_ledStatus = config->getLedStatus();
    m_buzzerStatus = config->getBuzzerStatus();

    const QIcon next = icon("Next");
    m_AllItemInfoList = {
        {Action_Temperature, tr("Temperature"), next},
        {Action_WIFI, tr("Wi-Fi"), next},
        {Action_Language, tr("Language"), next},
        {Action_Ratio, tr("Transmission Ratio"), next},
        {Action_ResumePrint, tr("Resume Print"), toggleIcon(m_resumePrintStatus)},
        {Action_FilamentDetect, tr("Filament Detect"), toggleIcon(m_filamentDetectStatus)},
        {Action_Light, tr("Light"), toggleIcon(m_ledStatus)},
        {Action_Buzzer, tr("Buzzer"), toggleIcon(m_buzzerStatus)},
        {ACtion_Factory_Reset, tr("Factory Reset"), QIcon()},
        {Action_Info, tr("Info"), next},
        {Action_Upgrade, tr("Upgrade"), next},
    };
    // The lamp follows the stored state whenever the list is built.
    sendLight();
}

void Setting::showList()
{
    QList<MenuRow> rows;
    for (const Setting_ItemInfo &item : m_AllItemInfoList)
        rows.append({item.itemText, item.icon});
    m_menu->setRows(rows);
}

void Setting::sendLight()
{
    // Handed to the link; whether the board took it changes nothing: the
    // setting stays as chosen and is sent again with the next list.
    m_serialObject->request(m_ledStatus ? QStringLiteral("M145") : QStringLiteral("M144"));
}

void Setting::itemDoClicked(int index)
{
    const Setting_Action_Type action = m_AllItemInfoList.at(index).actionType;
    switch (action) {
    case Action_Temperature:
        openPage(ShowTempSetting::instShowTempSetting);
        break;
    case Action_WIFI:
        openIfSet(pageOpeners.openWifi);
        break;
    case Action_Language:
        openPage(Language::instLanguage);
        break;
    case Action_Ratio:
        openPage(TransmissionRatio::instTransmissionRatio);
        break;
    case Action_Info:
        openIfSet(pageOpeners.openAbout);
        break;
    case Action_Upgrade:
        openIfSet(pageOpeners.openUpdate);
        break;
    case ACtion_Factory_Reset:
        if (!FactorySetting::instFactorySetting)
            (new FactorySetting)->recoveryFactorySetting();
        break;
    case Action_ResumePrint:
    case Action_FilamentDetect:
    case Action_Light:
    case Action_Buzzer:
        toggle(action);
        break;
    }
}

void Setting::toggle(Setting_Action_Type action)
{
    Config *config = getConfigFile()->configFile();
    bool on = false;
    switch (action) {
    case Action_ResumePrint:
        on = m_resumePrintStatus = !m_resumePrintStatus;
        config->setPowerOffResumePrintStatus(on);
        break;
    case Action_FilamentDetect:
        on = m_filamentDetectStatus = !m_filamentDetectStatus;
        config->setFilamentDetect(on);
        break;
    case Action_Light:
        on = m_ledStatus = !m_ledStatus;
        config->setLedStatus(on);
        sendLight();
        break;
    case Action_Buzzer:
        on = m_buzzerStatus = !m_buzzerStatus;
        config->setBuzzerStatus(on);
        break;
    default:
        return;
    }
    m_AllItemInfoList[action].icon = toggleIcon(on);
    showList(); // stays on the page on screen
}
