#include "mainwindow.h"
#include "mainwindowlanstate.h"
#include "ui_mainwindow.h"

#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "lan/myserver.h"
#include "netinterface.h"
#include "networkwatcher.h"
#include "nobuttondialog.h"
#include "onebuttondialog.h"
#include "progressdialog.h"
#include "resumeprintconfigsavefile.h"
#include "sendfiledialog.h"
#include "serialobject.h"
#include "statuspoller.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "update/updatemanager.h"
#include "usbmonitor.h"
#include "versiondirs.h"
#include "wifi.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTimer>


MainWindow *MainWindow::instMainWindow = nullptr;

MainWindowHooks MainWindow::hooks;

namespace {
constexpr int kTickMs = 1000;
} // namespace

void MainWindow::setHooks(const MainWindowHooks &newHooks)
{
    hooks = newHooks;
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_link(ExecuteGetSerialObject()->serial()),
      m_lanState(std::make_unique<LanState>(*this))
{
    instMainWindow = this;
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setFixedSize(272, 480);
    move(0, 0);

    connect(m_link, &SerialObject::boardRespondingChanged, this, &MainWindow::showBoardResponding,
            Qt::QueuedConnection);
    // The board learns the machine's state through the plain exchange.
    m_endStopsAtStart = m_link->serialCheckCode(QStringLiteral("M119"));
    m_usb = new UsbMonitor(this);
    connect(m_usb, &UsbMonitor::usbMounted, this, &MainWindow::usbMounted, Qt::QueuedConnection);
    connect(m_usb, &UsbMonitor::usbUnmounted, this, &MainWindow::usbUnmounted, Qt::QueuedConnection);
    m_wifi = new WIFINAMESPACE::Wifi(this);
    m_updateManager = new UpdateManager(this);
    connect(m_updateManager, &UpdateManager::sig_newVersionDownloaded, this, &MainWindow::newVersionDownloaded,
            Qt::QueuedConnection);
    Config *config = getConfigFile()->configFile();
    m_link->serialCheckCode(config->getLedStatus() ? QStringLiteral("M145") : QStringLiteral("M144"));
    m_link->serialCheckCode(QStringLiteral("M92 X%1").arg(config->getTransmissionRatioX()));
    m_link->serialCheckCode(QStringLiteral("M92 Y%1").arg(config->getTransmissionRatioY()));
    m_link->serialCheckCode(QStringLiteral("M92 Z%1").arg(config->getTransmissionRatioZ()));
    m_link->serialCheckCode(QStringLiteral("M92 A%1").arg(config->getTransmissionRatioE()));
    m_link->serialCheckCode(QStringLiteral("M92 B93"));

    initView();
    showTemperatures();
    showConnectivity();
    if (QFile::exists(SysRoot::path(QStringLiteral("/dev/input/event1"))))
        QTimer::singleShot(1, this, &MainWindow::startScan);
    else
        artMachine();
}

MainWindow::~MainWindow()
{
    if (m_statusTimer)
        m_statusTimer->stop();
    delete m_poller;
    m_poller = nullptr;
    delete m_updateManager;
    m_updateManager = nullptr;
    if (m_network)
        m_network->stop();
    if (m_lanStarter.joinable())
        m_lanStarter.join();
    delete m_pendingServer.exchange(nullptr);
    delete server.exchange(nullptr);
    delete m_network;
    dialogClose();
    if (m_boardNotice)
        m_boardNotice->close();
    if (instMainWindow == this)
        instMainWindow = nullptr;
    delete ui;
}

void MainWindow::initView()
{
    ui->showBuild->setText(tr("Build"));
    ui->showTool->setText(tr("Settings"));
    ui->showControl->setText(tr("Control"));
    ui->showLevel->setText(tr("Level"));
    showPrinterName();
}

void MainWindow::showPrinterName()
{
    ui->printerName->setText(tr("Printer %1").arg(m_lanState->serialNumber()));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        initView();
    QMainWindow::changeEvent(event);
}

// A scanner plugged in at start-up: the normal start waits for the scanner
// screen's OK.
void MainWindow::startScan()
{
    if (!hooks.openScanner) {
        artMachine();
        return;
    }
    hooks.openScanner();
}

void MainWindow::artMachine()
{
    if (m_statusTimer)
        return;
    m_poller = new StatusPoller(m_link, this);
    connect(m_poller, &StatusPoller::polled, this, &MainWindow::statusRead, Qt::QueuedConnection);
    m_statusTimer = new QTimer(this);
    connect(m_statusTimer, &QTimer::timeout, this, &MainWindow::statusTick);
    m_statusTimer->start(TimeScale::ms(kTickMs));
    QTimer::singleShot(TimeScale::ms(100), this, &MainWindow::resumeWifiMode);
    m_usb->start();
    showPrinterName();
    QTimer::singleShot(TimeScale::ms(2000), this, &MainWindow::offerPowerLossResume);
    m_network = new NetworkWatcher();
    m_network->start();
}

// The mode the settings saved: the station (which rejoins its saved
// networks by itself) or the access point.
void MainWindow::resumeWifiMode()
{
    Config *config = getConfigFile()->configFile();
    if (config->getWifiStationStatus()) {
        wifiState = WIFI_Station;
        m_wifi->wifiStaStart();
    } else if (config->getWifiHotspotStatus()) {
        wifiState = WIFI_AP;
        m_wifi->wifiApStart();
    }
}

// ---- the one-second poll -------------------------------------------------

void MainWindow::statusTick()
{
    const bool printPageOpen = hooks.printPageOpen && hooks.printPageOpen();
    if (!printPageOpen && m_trackingExtruder)
        trackPrintPageExtruder(false, StatusReading());
    StatusPoller::Extras extras;
    extras.endStops = connectState.load() == Machine_Connected;
    extras.extruder = printPageOpen;
    extras.filament = printPageOpen && getConfigFile()->configFile()->getFilamentDetect();
    if (!extras.filament)
        m_filament = StatusReading::Filament::NotRead;
    if (!extras.endStops) {
        std::lock_guard<std::mutex> lock(m_tempMutex);
        m_endStopsRead = false;
    }
    m_poller->request(extras);
    // Only a station's address counts: the access point's own is no way out.
    const QString ip = wifiState == WIFI_Station
                           ? QString::fromStdString(NetInterface::ipv4Address(NetInterface::wifiInterfaceName()))
                           : QString();
    {
        std::lock_guard<std::mutex> lock(m_netMutex);
        m_ipAddress = ip;
    }
    maybeStartLanServer();
    showConnectivity();
}

void MainWindow::statusRead(StatusReading reading)
{
    if (reading.temperaturesRead) {
        std::lock_guard<std::mutex> lock(m_tempMutex);
        m_nozzle = static_cast<int>(reading.nozzle);
        m_nozzleTarget = static_cast<int>(reading.nozzleTarget);
        m_bed = static_cast<int>(reading.bed);
        m_bedTarget = static_cast<int>(reading.bedTarget);
    }
    if (!reading.endStops.isEmpty()) {
        std::lock_guard<std::mutex> lock(m_tempMutex);
        m_endStopsRead = StringBrevik::endStops(reading.endStops, m_endStops);
    }
    if (reading.extruderRead)
        trackPrintPageExtruder(true, reading);
    if (reading.filament != StatusReading::Filament::NotRead)
        m_filament = reading.filament;
    showTemperatures();
}

// Adds up the extruder's travel while the printing page is open (resets of E
// by the file count from 0) and stores it when the page has closed.
void MainWindow::trackPrintPageExtruder(bool open, const StatusReading &reading)
{
    if (!open) {
        m_trackingExtruder = false;
        Config *config = getConfigFile()->configFile();
        config->setFilamentCumulative(config->getFilamentCumulative() + m_extruderTravel);
        return;
    }
    const double e = reading.extruder;
    if (!m_trackingExtruder) {
        m_trackingExtruder = true;
        m_extruderTravel = 0;
    } else if (e >= m_lastE) {
        m_extruderTravel += e - m_lastE;
    } else if (e > 0) {
        m_extruderTravel += e;
    }
    m_lastE = e;
}

void MainWindow::showTemperatures()
{
    const QString format = QStringLiteral("%1/%2\u2103");
    ui->nozzleTemp->setText(format.arg(getCurrentExtruderTemp()).arg(getTargetExtruderTemp()));
    ui->platformTemp->setText(format.arg(getCurrentPlatformTemp()).arg(getTargetPlatformTemp()));
}

void MainWindow::showConnectivity()
{
    ui->usbIcon->setPixmap(QPixmap(getUpanStatus() ? QStringLiteral(":/Resource/icon/usb.png")
                                                   : QStringLiteral(":/Resource/icon/usb_none.png")));
    ui->wifiIcon->setPixmap(QPixmap(getWiFiIpAddress().isEmpty() ? QStringLiteral(":/Resource/icon/wifi_off.png")
                                                                 : QStringLiteral(":/Resource/icon/WiFi_04.png")));
}

int MainWindow::getCurrentExtruderTemp()
{
    std::lock_guard<std::mutex> lock(m_tempMutex);
    return m_nozzle;
}

int MainWindow::getTargetExtruderTemp()
{
    std::lock_guard<std::mutex> lock(m_tempMutex);
    return m_nozzleTarget;
}

int MainWindow::getCurrentPlatformTemp()
{
    std::lock_guard<std::mutex> lock(m_tempMutex);
    return m_bed;
}

int MainWindow::getTargetPlatformTemp()
{
    std::lock_guard<std::mutex> lock(m_tempMutex);
    return m_bedTarget;
}

void MainWindow::cancelUpdateStatus()
{
    if (!m_statusTimer)
        return;
    m_statusTimer->stop();
    disconnect(m_statusTimer, nullptr, this, nullptr);
}

void MainWindow::resumeUpdateStatus()
{
    if (!m_statusTimer)
        return;
    disconnect(m_statusTimer, nullptr, this, nullptr);
    connect(m_statusTimer, &QTimer::timeout, this, &MainWindow::statusTick);
    m_statusTimer->start(TimeScale::ms(kTickMs));
}

// Only a sensor that answered "no filament" is a run-out; an exchange that
// failed is not.
bool MainWindow::filamentCheckStatu()
{
    return m_filament != StatusReading::Filament::Absent;
}

// Signals from different threads may arrive out of order: the link's state
// now is what counts.
void MainWindow::showBoardResponding()
{
    if (m_link->boardResponding()) {
        if (m_boardNotice)
            m_boardNotice->close();
        return;
    }
    if (m_boardNotice)
        return;
    m_boardNotice = new OneButtonDialog(QString(), tr("The motion board does not respond."));
    m_boardNotice->show();
}

// ---- USB and network -----------------------------------------------------

bool MainWindow::getUpanStatus()
{
    return m_usb && m_usb->mounted();
}

bool MainWindow::getUDiskState()
{
    return getUpanStatus();
}

void MainWindow::usbMounted()
{
    showConnectivity();
    emit sig_usbMount();
}

void MainWindow::usbUnmounted()
{
    showConnectivity();
    emit sig_usbUnmount();
}

bool MainWindow::getNetworkConnectedStatus()
{
    return m_network && m_network->isConnected() && !getWiFiIpAddress().isEmpty();
}

QString MainWindow::getWiFiIpAddress()
{
    std::lock_guard<std::mutex> lock(m_netMutex);
    return m_ipAddress;
}

void MainWindow::clearIpAddr()
{
    std::lock_guard<std::mutex> lock(m_netMutex);
    m_ipAddress.clear();
}

int MainWindow::getLocalMac(std::string ifname, std::string &mac)
{
    return NetInterface::getLocalMac(ifname, mac);
}

QString MainWindow::getLatestVersionNumber(QString &dir)
{
    const QString latest = VersionDirs::latest(SysRoot::path(dir));
    return latest.isEmpty() ? QStringLiteral("1.0.0") : latest;
}

void MainWindow::setWiFiAndHotspotHide()
{
    qDebug() << "MainWindow::setWiFiAndHotspotHide mode" << wifiState;
}

// ---- the file-transfer notice and other dialogs --------------------------

// A notice still open (a "CRC ERROR" the client has not let go of) takes the
// new text: a new upload must say so, not close it.
void MainWindow::dialogShow(QString text)
{
    if (dialog) {
        dialog->setLabelText(text);
        dialog->show();
        return;
    }
    dialog = new SendFileDialog(text, nullptr);
    dialog->show();
    QCoreApplication::processEvents();
}

void MainWindow::dialogClose()
{
    if (!dialog)
        return;
    dialog->close();
    dialog = nullptr;
}

void MainWindow::clearAgoState()
{
    if (NoButtonDialog::instNoButtonDialog)
        NoButtonDialog::instNoButtonDialog->close();
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->close();
    if (ProgressDialog::instProgressDialog)
        ProgressDialog::instProgressDialog->close();
    if (TwoButtonDialog::instTwoButtonDialog)
        TwoButtonDialog::instTwoButtonDialog->close();
    if (hooks.closeForLanPrint)
        hooks.closeForLanPrint();
}

// ---- power-loss resume ---------------------------------------------------

void MainWindow::offerPowerLossResume()
{
    Config *config = getConfigFile()->configFile();
    if (!config->getPowerOffResumePrintStatus() || !hooks.openPrintPage)
        return;
    auto *record = FILESNAMESPACE::ResumePrintConfigSaveFile();
    const QString path = QString::fromStdString(config->getPowerOffResumePrintFileName());
    qint64 line = 0;
    const bool haveRecord = record->readLine(line);
    if (!haveRecord || line <= 0 || path.isEmpty() || !QFile::exists(path)) {
        // A stale record (or a name without a record) is of no use any more.
        if (haveRecord || !path.isEmpty()) {
            record->removeResumePrintConfigFile();
            config->setPowerOffResumePrintFileName(std::string());
        }
        return;
    }
    if (TwoButtonDialog::instTwoButtonDialog)
        return;
    QPointer<MainWindow> self(this);
    // Dialogs delete themselves when they close.
    auto *question = new TwoButtonDialog(tr("Resume print"), tr("The last print was interrupted.\nResume it?"),
                                         tr("YES"), tr("NO"), nullptr);
    const int answer = question->exec();
    if (!self)
        return;
    if (answer == 1 && machineStatus.load() == MACHINE_STATUS_READY) {
        m_link->setPoweroffResumeLine(line);
        hooks.openPrintPage(path, true);
    } else {
        record->removeResumePrintConfigFile();
        config->setPowerOffResumePrintFileName(std::string());
    }
}

// ---- the four main buttons -----------------------------------------------

bool MainWindow::guardedOpen(const std::function<void()> &opener)
{
    if (!opener || !clickGuardPass())
        return false;
    opener();
    return true;
}

void MainWindow::on_showBuild_clicked()
{
    guardedOpen(hooks.openBuild);
}

void MainWindow::on_showTool_clicked()
{
    guardedOpen(hooks.openSettings);
}

void MainWindow::on_showControl_clicked()
{
    guardedOpen(hooks.openControl);
}

void MainWindow::on_showLevel_clicked()
{
    guardedOpen(hooks.openLevel);
}
