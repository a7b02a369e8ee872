#include "mainwindow.h"
#include "mainwindowlanstate.h"
#include "ui_mainwindow.h"

#include "boardrequest.h"
#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "lan/myserver.h"
#include "lan/uploadname.h"
#include "networkwatcher.h"
#include "nobuttondialog.h"
#include "onebuttondialog.h"
#include "progressdialog.h"
#include "resumeprintconfigsavefile.h"
#include "sendfiledialog.h"
#include "serialobject.h"
#include "statuspoller.h"
#include "stepspermm.h"
#include "sysroot.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "update/updatemanager.h"
#include "usbmonitor.h"
#include "wifi.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace {

bool isInside(const QString &canonicalPath, const QString &deviceFolder)
{
    const QString folder = QFileInfo(SysRoot::path(deviceFolder)).canonicalFilePath();
    return !folder.isEmpty() && canonicalPath.startsWith(folder + QLatin1Char('/'));
}

// The file a power-loss record names is heated, homed and printed: only a
// print file in local storage or on the stick is one, named plainly (no
// "..", no detour) and, links resolved, still there.
bool isResumablePrintFile(const QString &path)
{
    const QFileInfo file(path);
    if (QDir::cleanPath(path) != path || !file.isFile() || !isPrintFileName(file.fileName()))
        return false;
    const QString real = file.canonicalFilePath();
    return isInside(real, QStringLiteral("/data")) || isInside(real, QStringLiteral("/media"));
}

} // namespace

MainWindow *MainWindow::instMainWindow = nullptr;

MainWindowHooks MainWindow::hooks;

void MainWindow::setHooks(const MainWindowHooks &newHooks)
{
    hooks = newHooks;
}

bool MainWindow::printPageIsOpen()
{
    return hooks.printPageOpen && hooks.printPageOpen();
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
    askEndStopsAndTellTheBoard();
    m_usb = new UsbMonitor(this);
    connect(m_usb, &UsbMonitor::usbMounted, this, &MainWindow::usbMounted, Qt::QueuedConnection);
    connect(m_usb, &UsbMonitor::usbUnmounted, this, &MainWindow::usbUnmounted, Qt::QueuedConnection);
    m_wifi = new WIFINAMESPACE::Wifi(this);
    m_updateManager = new UpdateManager(this);
    connect(m_updateManager, &UpdateManager::sig_newVersionDownloaded, this, &MainWindow::newVersionDownloaded,
            Qt::QueuedConnection);

    initView();
    showTemperatures();
    showConnectivity();
    if (QFile::exists(SysRoot::path(QStringLiteral("/dev/input/event1"))))
        QTimer::singleShot(1, this, &MainWindow::startScan);
    else
        artMachine();
}

// The end-stops are asked first; the light and the steps per millimetre
// follow once they are answered, as requests that go on if the window closes
// meanwhile: the board's settings must not depend on the screen.
void MainWindow::askEndStopsAndTellTheBoard()
{
    Config *config = getConfigFile()->configFile();
    const QString light = config->getLedStatus() ? QStringLiteral("M145") : QStringLiteral("M144");
    QStringList steps;
    using StepsPerMm::Axis;
    for (const auto &[axis, stored] : {std::pair<Axis, int>{Axis::X, config->getTransmissionRatioX()},
                                       {Axis::Y, config->getTransmissionRatioY()},
                                       {Axis::Z, config->getTransmissionRatioZ()},
                                       {Axis::E, config->getTransmissionRatioE()}})
        steps << StepsPerMm::command(axis, StepsPerMm::usable(axis, stored));
    steps << QStringLiteral("M92 B93");

    BoardRequest *endStops = m_link->request(QStringLiteral("M119"));
    connect(endStops, &BoardRequest::finished, this, [this, endStops] { m_endStopsAtStart = endStops->reply(); });
    SerialObject *link = m_link;
    connect(endStops, &BoardRequest::finished, link, [link, light, steps] {
        link->request(light);
        link->request(steps);
    });
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
    if (!haveRecord || line <= 0 || !isResumablePrintFile(path)) {
        // A stale record (or a name without a record, or one naming what is
        // no print file of ours) is of no use any more.
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
