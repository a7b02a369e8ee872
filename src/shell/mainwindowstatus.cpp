#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "config.h"
#include "getconfigfile.h"
#include "netinterface.h"
#include "networkwatcher.h"
#include "onebuttondialog.h"
#include "serialobject.h"
#include "statuspoller.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "timescale.h"
#include "usbmonitor.h"
#include "versiondirs.h"

#include <QDebug>
#include <QPixmap>
#include <QTimer>

// The main window's status: the one-second poll of the board and its
// read-outs, the board-responding notice, and the USB and network state the
// status bar shows.

void MainWindow::statusTick()
{
    // A reply time without a word from the board: the readings shown are
    // stale, whatever the poll still waits for.
    if (!m_link->boardHeardWithinReplyTime()) {
        {
            std::lock_guard<std::mutex> lock(m_tempMutex);
            m_temperaturesLive = false;
        }
        showTemperatures();
    }
    const bool printPageOpen = printPageIsOpen();
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
        // A reading taken just before the board fell silent may arrive
        // after the news of the silence.
        m_temperaturesLive = m_link->boardResponding();
    }
    if (!reading.endStops.isEmpty()) {
        std::lock_guard<std::mutex> lock(m_tempMutex);
        m_endStopsRead = StringBrevik::endStops(reading.endStops, m_endStops);
    }
    if (reading.extruderRead)
        trackPrintPageExtruder(true, reading);
    // A sensor reading, or a run-out, left from a printing page that has
    // closed is no run-out of the next print.
    if (!printPageIsOpen())
        m_filament = StatusReading::Filament::NotRead;
    else if (reading.filament != StatusReading::Filament::NotRead)
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

QString MainWindow::degreesText(int current, int target, bool live)
{
    return QStringLiteral("%1/%2\u2103").arg(live ? QString::number(current) : QStringLiteral("--")).arg(target);
}

void MainWindow::showTemperatures()
{
    const bool live = temperaturesLive();
    ui->nozzleTemp->setText(degreesText(getCurrentExtruderTemp(), getTargetExtruderTemp(), live));
    ui->platformTemp->setText(degreesText(getCurrentPlatformTemp(), getTargetPlatformTemp(), live));
}

// The icons are loaded only when what they show changes: loading a pixmap
// by name turns the file's time into local time, and every such conversion
// reads the time zone file again.
void MainWindow::showConnectivity()
{
    const bool usb = getUpanStatus();
    if (m_usbIconShows != usb) {
        m_usbIconShows = usb;
        ui->usbIcon->setPixmap(QPixmap(usb ? QStringLiteral(":/Resource/icon/usb.png")
                                           : QStringLiteral(":/Resource/icon/usb_none.png")));
    }
    const bool wifi = !getWiFiIpAddress().isEmpty();
    if (m_wifiIconShows != wifi) {
        m_wifiIconShows = wifi;
        ui->wifiIcon->setPixmap(QPixmap(wifi ? QStringLiteral(":/Resource/icon/WiFi_04.png")
                                             : QStringLiteral(":/Resource/icon/wifi_off.png")));
    }
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

bool MainWindow::temperaturesLive()
{
    std::lock_guard<std::mutex> lock(m_tempMutex);
    return m_temperaturesLive;
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
    if (!m_link->boardResponding()) {
        std::lock_guard<std::mutex> lock(m_tempMutex);
        m_temperaturesLive = false;
    }
    showTemperatures();
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
