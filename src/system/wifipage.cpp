#include "wifipage.h"
#include "ui_wifipage.h"

#include "clickguard.h"
#include "config.h"
#include "getconfigfile.h"
#include "keyboard.h"
#include "mainwindow.h"
#include "menutable.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "pageframe.h"
#include "twobuttondialog.h"
#include "wifi.h"
#include "wifilist.h"

#include <QDebug>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace WIFINAMESPACE;

WIFIPage *WIFIPage::instWIFIPage = nullptr;

namespace {
const int kRowsPerPage = 6;
const int kIconColumnWidth = 45;
const int kDoubleClickMs = 600;
const char *const kLanPort = "8899";
} // namespace

WIFIPage::WIFIPage(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::WIFIPage)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget_2, ui->back);
    instWIFIPage = this;
    ui->widget->setAttribute(Qt::WA_StyledBackground);
    m_menu = new MenuTable(ui->tableWidget, this, kRowsPerPage, kIconColumnWidth);
    m_menu->setPaging(ui->up, ui->down, ui->show, MenuTable::PagingControls::ShownByPage);
    connect(m_menu, &MenuTable::rowPressed, this, &WIFIPage::itemDoClicked);
    // A second tap within the system's double-click time reaches the table
    // as a double click, not as a press.
    connect(ui->tableWidget, &QTableWidget::itemDoubleClicked, this, &WIFIPage::rowDoubleClicked);
    // Turning the page voids a tap still waiting for its second one.
    connect(ui->up, &QToolButton::clicked, this, &WIFIPage::voidPendingClick);
    connect(ui->down, &QToolButton::clicked, this, &WIFIPage::voidPendingClick);

    m_wifi = MainWindow::instMainWindow->m_wifi;
    if (!OneLableDialog::instOneLableDialog)
        (new OneLableDialog(QString(), nullptr))->hide();

    m_ClickTimeoutTimer = new QTimer(this);
    m_ClickTimeoutTimer->setObjectName(QStringLiteral("clickTimer"));
    m_ClickTimeoutTimer->setInterval(kDoubleClickMs);
    connect(m_ClickTimeoutTimer, &QTimer::timeout, this, &WIFIPage::timerOut);
    connect(m_wifi, &Wifi::evt_wificonnect_success, this, &WIFIPage::changeUIForWIFIConnected);
    connect(m_wifi, &Wifi::evt_wificonnect_failed, this, &WIFIPage::changeUIForWIFIConnectFailed);
    connect(m_wifi, &Wifi::evt_scan_finished, this, &WIFIPage::scanFinished);

    const bool stationOn = MainWindow::instMainWindow->wifiState == WIFI_Station;
    showSwitch(stationOn);
    if (stationOn)
        QTimer::singleShot(1, this, &WIFIPage::getInitWIFIList);
}

WIFIPage::~WIFIPage()
{
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->close();
    instWIFIPage = nullptr;
    delete ui;
}

// ---- the switch -----------------------------------------------------------

void WIFIPage::showSwitch(bool on)
{
    m_wifiSwitchState = on ? WIFI_SWITCH_ON : WIFI_SWITCH_OFF;
    ui->label_2->setVisible(!on);
    ui->switch_2->setIcon(QIcon(on ? QStringLiteral(":/Resource/icon/ON.png") : QStringLiteral(":/Resource/icon/OFF.png")));
    ui->tableWidget->setVisible(on);
    ui->back->move(on ? 180 : 92, 0);
    showPaging(on);
    if (!on) {
        m_wifiList.clear();
        connectedSSID.clear();
        showList();
    }
}

// With the station on, the page label shows even on a single page ("1/1").
void WIFIPage::showPaging(bool shown)
{
    ui->up->setVisible(shown);
    ui->down->setVisible(shown);
    ui->show->setVisible(shown);
}

void WIFIPage::on_switch_2_clicked()
{
    m_ClickTimeoutTimer->stop();
    QPointer<WIFIPage> self(this);
    if (!clickGuardPass() || !self)
        return;
    MainWindow *window = MainWindow::instMainWindow;
    Config *config = getConfigFile()->configFile();
    const bool on = m_wifiSwitchState == WIFI_SWITCH_OFF;
    window->wifiState = on ? WIFI_Station : WIFI_None;
    window->setWiFiAndHotspotHide();
    window->clearIpAddr();
    config->setWifiStationStatus(on);
    if (!on) {
        showSwitch(false);
        hideNotice();
        m_wifi->wifiStaStop();
        return;
    }
    config->setWifiHotspotStatus(false);
    config->setEthernetStatus(false);
    showSwitch(true);
    changeUIForWIFIConnecting();
    showNotice(tr("Scanning…"));
    m_wifi->wifiStaStart();
    m_wifi->enableAllNetworks();
    m_menu->setPage(0);
    startInitWiFiList();
}

// ---- scanning -------------------------------------------------------------

void WIFIPage::getInitWIFIList()
{
    showNotice(tr("Scanning…"));
    startInitWiFiList();
}

// The controller scans after whatever it was asked before (the station
// start of the switch), and reports through scanFinished().
void WIFIPage::startInitWiFiList()
{
    ++m_scansPending;
    m_wifi->requestScan();
}

void WIFIPage::scanFinished(ScanResult networks, QString joinedSsid)
{
    m_scansPending = qMax(0, m_scansPending - 1);
    connectedSSID = joinedSsid.trimmed();
    if (m_wifiSwitchState == WIFI_SWITCH_ON) {
        m_wifiList = WifiList::fromScan(networks, connectedSSID);
        m_menu->setPage(0);
        showList();
    }
    if (m_scansPending > 0)
        return; // the notice stays for the scan still to come
    hideNotice();
    ui->tableWidget->setEnabled(true);
    if (!m_joinedDuringScan.isNull()) {
        const QString joined = m_joinedDuringScan;
        m_joinedDuringScan = QString();
        changeUIForWIFIConnected(joined);
    }
}

void WIFIPage::showList()
{
    voidPendingClick();
    QList<MenuRow> rows;
    for (const WifiInfo &network : qAsConst(m_wifiList))
        rows.append(MenuRow{network.ssid(), QIcon(WifiList::iconFor(network))});
    m_menu->setRows(rows);
}

// ---- taps on the list -----------------------------------------------------

void WIFIPage::voidPendingClick()
{
    wifiListReShow = true;
    m_item = -1;
}

void WIFIPage::itemDoClicked(int index)
{
    if (!instWIFIPage)
        return;
    if (!clickFlag) {
        m_item = index;
        clickFlag = true;
        wifiListReShow = false;
        m_ClickTimeoutTimer->start();
        return;
    }
    clickFlag = false;
    doubleClickFlag = true;
    m_ClickTimeoutTimer->stop();
    m_item = -1;
    const QString ssid = m_wifiList.value(index).ssid();
    if (connectedSSID.isEmpty() || ssid != connectedSSID) {
        doubleClickFlag = false;
        return;
    }
    QPointer<WIFIPage> self(this);
    auto *question = new TwoButtonDialog(tr("Forget SSID"), tr("Forget SSID") + QLatin1Char('\n') + ssid, QString(),
                                         QString(), nullptr);
    const int answer = question->exec();
    if (!self)
        return;
    clickFlag = false;
    doubleClickFlag = false;
    // The list may have been redrawn while the question was open.
    if (answer == 1 && m_wifiList.value(index).ssid() == ssid)
        itemDoubleClicked(index);
}

void WIFIPage::rowDoubleClicked(QTableWidgetItem *item)
{
    itemDoClicked(m_menu->page() * kRowsPerPage + item->row());
}

void WIFIPage::timerOut()
{
    clickFlag = false;
    m_ClickTimeoutTimer->stop();
    if (!doubleClickFlag) {
        itemClicked();
        m_item = -1;
    } else {
        doubleClickFlag = false;
    }
}

void WIFIPage::itemClicked()
{
    if (wifiListReShow || m_item < 0 || m_item >= m_wifiList.size())
        return;
    m_selectWifi = m_wifiList.at(m_item);
    if (!connectedSSID.isEmpty() && m_selectWifi.ssid() == connectedSSID) {
        const QString address = MainWindow::instMainWindow->getWiFiIpAddress();
        const QString detail =
            address.isEmpty() ? tr("Please retry") : address + QLatin1Char(':') + QLatin1String(kLanPort);
        (new OneButtonDialog(tr("SSID has been connected"), tr("SSID has been connected") + QStringLiteral("\n\n") + detail,
                             QString(), nullptr))
            ->show();
    } else if (m_selectWifi.locked() == WifiLock_None) {
        connectSelected();
    } else {
        if (Keyboard::instKeyboard)
            return;
        auto *keyboard = new Keyboard(true, QString(), nullptr);
        connect(keyboard, &Keyboard::sendData, this, &WIFIPage::receiveData);
        keyboard->show();
    }
    voidPendingClick();
}

void WIFIPage::receiveData(QString text)
{
    m_receiveData = text;
    QTimer::singleShot(10, this, &WIFIPage::handleReceiveData);
}

void WIFIPage::handleReceiveData()
{
    const QString password = m_receiveData;
    m_receiveData.clear();
    if (password.isEmpty())
        return;
    if (password.size() < 8) {
        (new OneButtonDialog(tr("Password is too short"), tr("Password is\n less than 8 characters"), QString(), nullptr))
            ->show();
        return;
    }
    connectedSSID.clear();
    m_selectWifi.setPassword(password);
    connectSelected();
}

void WIFIPage::connectSelected()
{
    changeUIForWIFIConnecting();
    m_wifi->wifiStaStart();
    m_wifi->wifiConnect(m_selectWifi);
}

// Forgets the joined network.
void WIFIPage::itemDoubleClicked(int index)
{
    if (!instWIFIPage || index < 0 || index >= m_wifiList.size())
        return;
    const QString ssid = m_wifiList.at(index).ssid();
    m_wifiList.removeAt(index);
    m_wifi->removeSsid(ssid);
    if (connectedSSID == ssid)
        connectedSSID.clear();
    m_menu->setPage(0);
    showList();
    MainWindow *window = MainWindow::instMainWindow;
    window->wifiState = WIFI_Station;
    window->setWiFiAndHotspotHide();
    window->clearIpAddr();
    // The station restarts without the forgotten network.
    m_wifi->wifiStaStop();
    m_wifi->wifiStaStart();
}

// ---- what the controller reports -----------------------------------------

void WIFIPage::changeUIForWIFIConnected(QString ssid)
{
    if (m_wifiSwitchState != WIFI_SWITCH_ON)
        return;
    if (m_scansPending > 0) {
        m_joinedDuringScan = ssid; // applied when the scan has ended
        return;
    }
    voidPendingClick();
    connectedSSID = ssid;
    ui->tableWidget->setEnabled(true);
    WifiList::markConnected(m_wifiList, ssid);
    m_menu->setPage(0);
    showList();
    hideNotice();
}

void WIFIPage::changeUIForWIFIConnectFailed(QString ssid)
{
    qDebug() << "WIFIPage::changeUIForWIFIConnectFailed" << ssid;
    hideNotice();
    ui->tableWidget->setEnabled(true);
    (new OneButtonDialog(tr("Connection failed"), tr("This connection failed"), QString(), nullptr))->show();
}

void WIFIPage::changeUIForWIFIConnecting()
{
    showNotice(tr("Connecting..."));
    ui->tableWidget->setEnabled(false);
}

void WIFIPage::showNotice(const QString &text)
{
    if (!OneLableDialog::instOneLableDialog)
        new OneLableDialog(QString(), nullptr);
    OneLableDialog::instOneLableDialog->setLabelText(text);
    OneLableDialog::instOneLableDialog->show();
    OneLableDialog::instOneLableDialog->repaint();
}

void WIFIPage::hideNotice()
{
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->hide();
}
