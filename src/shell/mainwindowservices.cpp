#include "mainwindow.h"
#include "mainwindowlanstate.h"

#include "backgroundflush.h"
#include "config.h"
#include "getconfigfile.h"
#include "lan/myserver.h"
#include "networkwatcher.h"
#include "serialobject.h"
#include "softwareversion.h"
#include "sysroot.h"
#include "twobuttondialog.h"
#include "update/updatemanager.h"
#include "versiondirs.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>
#include <QThread>

// The main window's part in the network services: the LAN print server and
// the update checker, both started once the station reaches the internet.

namespace {
quint16 lanTcpPort = myServer::kDefaultTcpPort;
quint16 lanDiscoveryPort = myServer::kDefaultDiscoveryPort;
} // namespace

void MainWindow::setLanPorts(quint16 tcpPort, quint16 discoveryPort)
{
    lanTcpPort = tcpPort;
    lanDiscoveryPort = discoveryPort;
}

// The first time the station has an address and reaches the internet, the
// LAN server starts on a one-shot thread (once per run), and then the update
// checker, whose retries while its server is away keep their own schedule.
void MainWindow::maybeStartLanServer()
{
    const QString ip = getWiFiIpAddress();
    if (m_lanStarting.load() || ip.isEmpty() || !m_network || !m_network->isConnected())
        return;
    m_lanStarting.store(true);
    QPointer<MainWindow> window(this);
    QThread *guiThread = thread();
    const quint16 tcp = lanTcpPort, discovery = lanDiscoveryPort;
    // The destructor joins this thread, so it may use the window's members.
    m_lanStarter = std::thread([this, window, guiThread, ip, tcp, discovery] {
        auto *started = new myServer(m_lanState.get(), ip, tcp, discovery);
        if (!started->start()) {
            qCritical() << "MainWindow: the LAN server could not start on" << ip << tcp;
            delete started;
            return;
        }
        started->moveToThread(guiThread);
        m_pendingServer.store(started);
        QMetaObject::invokeMethod(qApp, [window] {
            if (window)
                window->lanServerStarted();
        }, Qt::QueuedConnection);
    });
    startUpdateChecker();
}

void MainWindow::lanServerStarted()
{
    myServer *started = m_pendingServer.exchange(nullptr);
    if (!started)
        return;
    server.store(started);
    connect(started, &myServer::sig_dialogShow, this, &MainWindow::dialogShow, Qt::QueuedConnection);
    connect(started, &myServer::sig_dialogClose, this, &MainWindow::dialogClose, Qt::QueuedConnection);
    connect(started, &myServer::sig_printFile, this, &MainWindow::lanPrintFile, Qt::QueuedConnection);
    connect(started, &myServer::sig_motorsOn, this, &MainWindow::lanMotorsOn, Qt::QueuedConnection);
    connect(started, &myServer::sig_controlTaken, this, &MainWindow::lanControlTaken, Qt::QueuedConnection);
    connect(started, &myServer::sig_controlReleased, this, &MainWindow::lanControlReleased, Qt::QueuedConnection);
}

void MainWindow::lanControlTaken()
{
    connectState.store(Machine_Connected);
}

void MainWindow::lanControlReleased()
{
    connectState.store(Machine_Connect_None);
    dialogClose();
}

void MainWindow::lanPrintFile(QString path)
{
    // The stamp waits for the disk; the page does not need it to start.
    BackgroundFlush::start([file = path.toStdString()] { getConfigFile()->configFile()->updateFileModifyTime(file); });
    if (machineStatus.load() != MACHINE_STATUS_READY || !hooks.openPrintPage) {
        qWarning() << "MainWindow::lanPrintFile not ready, ignoring" << path;
    } else {
        clearAgoState();
        hooks.openPrintPage(path, false);
    }
    // The page has taken the machine, or refused the file: the next M23 is
    // judged by the machine status again.
    m_lanPrintStarting = false;
}

void MainWindow::lanMotorsOn()
{
    if (machineStatus.load() == MACHINE_STATUS_READY)
        m_link->request(QStringLiteral("M17"));
}

// ---- updates -------------------------------------------------------------

UpdateManager *MainWindow::getUpdateManagerClass()
{
    return m_updateManager;
}

// The checker learns what is installed: the newest folder of each kind in the
// package store; the software is this program itself until a software
// package has been installed.
void MainWindow::startUpdateChecker()
{
    current_version current;
    current.serialNumber = getConfigFile()->configFile()->getPrinterSerialNumber();
    for (const auto &[kind, version] : {std::pair<const char *, std::string *>{"kernel", &current.kernel},
                                        {"control", &current.control},
                                        {"library", &current.library}}) {
        QString dir = QStringLiteral("/opt/PROGRAM/") + QLatin1String(kind);
        *version = getLatestVersionNumber(dir).toStdString();
    }
    const QString software = VersionDirs::latest(SysRoot::path(QStringLiteral("/opt/PROGRAM/software")));
    current.software = software.isEmpty() ? std::string(SoftwareVersion) : software.toStdString();
    m_updateManager->setCurrentVersion(current);
    m_updateManager->startChecker();
}

// The checker has a new version ready: ask whether to install it now. Not
// while a print runs or another question is open, and not when the update
// page is open (it asks itself); the update page offers it again later.
void MainWindow::newVersionDownloaded()
{
    if (machineStatus.load() != MACHINE_STATUS_READY || printPageIsOpen()
        || !hooks.findTheLatestFirmware || (hooks.updatePageOpen && hooks.updatePageOpen())
        || TwoButtonDialog::instTwoButtonDialog)
        return;
    QPointer<MainWindow> self(this);
    auto *question = new TwoButtonDialog(tr("Confirm"), tr("A new version is found.\n Upgrade firmware?"), tr("Yes"),
                                         tr("No"), nullptr);
    if (question->exec() == 1 && self)
        findTheLatestFirmware();
}

void MainWindow::findTheLatestFirmware()
{
    if (hooks.findTheLatestFirmware)
        hooks.findTheLatestFirmware();
}
