#include "update.h"
#include "ui_update.h"

#include "buzzerplay.h"
#include "clickguard.h"
#include "executegetserialobject.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "pageopener.h"
#include "serialobject.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "update/updatemanager.h"

#include <QDebug>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <utility>

Update *Update::instUpdate = nullptr;

namespace {

QString packageText(tmupserver::PackageType type)
{
    switch (type) {
    case tmupserver::PACKAGE_TYPE_KERNEL:
        return Update::tr("kernel downloading...");
    case tmupserver::PACKAGE_TYPE_CONTROL:
        return Update::tr("control downloading...");
    case tmupserver::PACKAGE_TYPE_LIBRARY:
        return Update::tr("library downloading...");
    case tmupserver::PACKAGE_TYPE_SOFTWARE:
        return Update::tr("software downloading...");
    }
    return QString();
}

QString poorNetworkText()
{
    return Update::tr("Poor network, please\ncheck the network and\ntry again !");
}

constexpr int kTunePauseMs = 2500;

} // namespace

Update::Update(bool isDirectUpgrade, QWidget *parent)
    : QDialog(parent)
    , m_isDirectUpgrade(isDirectUpgrade)
    , ui(new Ui::Update)
    , m_worker(this)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    ui->progressBar->hide();
    ui->progress->hide();
    ui->updateOk->hide();
    ui->labelMessage->setWordWrap(true);
    showMessage(tr("Checking version \n information..."));
    serialObject = ExecuteGetSerialObject()->serial();
    if (MainWindow::instMainWindow)
        m_manager = MainWindow::instMainWindow->getUpdateManagerClass();

    connect(this, &Update::sig_updateProgress, this, &Update::updateProgress);
    connect(this, &Update::sig_showProgressBar, this, &Update::showProgressBar);
    connect(this, &Update::sig_hideProgressBar, this, &Update::hideProgressBar);
    connect(this, &Update::sig_findNewFirmware, this, &Update::findNewFirmware);

    if (!m_manager || !startWorker())
        qCritical() << "update.cpp Update::Update create pthread error";
}

Update::~Update()
{
    m_worker.stop();
    if (m_question)
        m_question->close();
    if (instUpdate == this)
        instUpdate = nullptr;
    delete ui;
}

void Update::findTheLatestFirmware()
{
    if (instUpdate)
        instUpdate->stateUpgrade();
    else
        openPage(instUpdate, true);
}

bool Update::networkConnected() const
{
    return MainWindow::instMainWindow && MainWindow::instMainWindow->getNetworkConnectedStatus();
}

update_firmware_process Update::managerState() const
{
    update_firmware_process state = CHECK_UPDATE;
    m_manager->getCurrentFirmwareUpdateProcess(state);
    return state;
}

void Update::showMessage(const QString &text)
{
    if (QThread::currentThread() == thread())
        ui->labelMessage->setText(text);
    else
        m_worker.post([this, text] { ui->labelMessage->setText(text); });
}

int Update::updateProcess()
{
    if (m_firstLook) {
        m_firstLook = false;
        // A finished check is not the answer to this visit: ask again.
        const update_firmware_process state = managerState();
        if (networkConnected() && (state == DOWNLOAD_ERROR || state == THE_LATEST_VERSION)) {
            m_manager->setCurrentFirmwareUpdateProcess(CHECK_UPDATE);
            m_manager->setCheckUpdateStatus(true);
        }
    }
    if (!networkConnected()) {
        showMessage(poorNetworkText());
        return 0;
    }
    const update_firmware_process state = managerState();
    switch (state) {
    case CHECK_UPDATE:
        showMessage(tr("Checking version \n information..."));
        return 0;
    case PRE_DOWNLOAD:
    case DOWNLOADING:
        if (!m_processBarOpenStatus) {
            m_processBarOpenStatus = true;
            emit sig_showProgressBar();
        }
        if (state == PRE_DOWNLOAD)
            showMessage(tr("Downloading..."));
        else
            emit sig_updateProgress();
        return 0;
    case DOWNLOADED:
        if (m_processBarOpenStatus) {
            m_processBarOpenStatus = false;
            emit sig_hideProgressBar();
        }
        if (!m_latestVersionDiaogShow) {
            m_latestVersionDiaogShow = true;
            emit sig_findNewFirmware();
        }
        return 0;
    case DOWNLOAD_ERROR:
        if (m_processBarOpenStatus) {
            m_processBarOpenStatus = false;
            emit sig_hideProgressBar();
        }
        showMessage(tr("Upgrade Error"));
        return -1;
    case DECOMPRESS_FIRMWARE_PACKET:
    case UPGRADE_FIRMWARE:
        showMessage(tr("Installing..."));
        return 0;
    case UPGRADE_COMPLETED:
        showMessage(tr("Upgrade completed, \nPlease restart the machine\uff01"));
        m_worker.post([this] {
            ui->updateOk->show();
            playCompletionTunes();
        });
        return -1;
    case THE_LATEST_VERSION:
        showMessage(tr("It's the latest version."));
        return 0;
    }
    return 0;
}

// Three times, whatever the buzzer setting: the user must hear that the
// printer waits for a restart.
void Update::playCompletionTunes()
{
    buzzerPlay *buzzer = buzzerPlay::getInstance("pwm1");
    buzzer->start();
    buzzer->play(buzzerPlay::TUNE_STARTUP);
    for (int i = 1; i <= 2; ++i)
        QTimer::singleShot(TimeScale::ms(i * kTunePauseMs), this,
                           [buzzer] { buzzer->play(buzzerPlay::TUNE_STARTUP); });
}

void Update::updateProgress()
{
    tmupserver::PackageType type;
    int percent;
    m_manager->getCurrentPacketDownloadProgress(type, percent);
    ui->labelMessage->setText(packageText(type));
    ui->progress->setText(QString::number(percent) + QLatin1Char('%'));
    ui->progressBar->setValue(percent);
}

void Update::showProgressBar()
{
    ui->progressBar->show();
    ui->progress->show();
}

void Update::hideProgressBar()
{
    ui->progressBar->hide();
    ui->progress->hide();
}

void Update::findNewFirmware()
{
    ui->labelMessage->setText(tr("A new version is found."));
    if (m_isDirectUpgrade) {
        stateUpgrade();
        return;
    }
    if (TwoButtonDialog::instTwoButtonDialog || m_installStarted)
        return;
    QPointer<Update> self(this);
    m_question = new TwoButtonDialog(tr("Confirm"), tr("A new version is found.\n Upgrade firmware?"), tr("Yes"),
                                     tr("No"), nullptr);
    const int answer = m_question->exec();
    // The page may have gone, or a direct upgrade may have begun, meanwhile.
    if (!self || m_installStarted)
        return;
    if (answer == 1)
        stateUpgrade();
    else
        close();
}

bool Update::startWorker()
{
    const bool started = m_worker.start([this] { return workerStep(); });
    std::lock_guard<std::mutex> lock(m_installMutex);
    m_workerEnded = !started;
    return started;
}

int Update::workerStep()
{
    bool install = false;
    {
        std::lock_guard<std::mutex> lock(m_installMutex);
        install = std::exchange(m_installRequested, false);
    }
    if (install)
        installPackages();
    const int result = updateProcess();
    if (result >= 0)
        return result;
    std::lock_guard<std::mutex> lock(m_installMutex);
    // An installation asked for during this look is served before the end.
    if (m_installRequested)
        return 0;
    m_workerEnded = true;
    return result;
}

// Unpacking, checking and flushing the packages and running their scripts
// take their time: the worker does it, while the screen stays alive and back
// does nothing. It looks at the state again right after.
void Update::installPackages()
{
    if (m_manager->startInstallUpdatePackets() < 0)
        m_worker.post([this] { giveThePrinterBack(); });
}

void Update::stateUpgrade()
{
    if (m_installStarted || !m_manager)
        return;
    m_installStarted = true;
    ui->labelMessage->setText(tr("Installing..."));
    if (MainWindow::instMainWindow)
        MainWindow::instMainWindow->cancelUpdateStatus();
    serialObject->serialClose();
    bool workerEnded = false;
    {
        std::lock_guard<std::mutex> lock(m_installMutex);
        m_installRequested = true;
        workerEnded = m_workerEnded;
    }
    // The worker ended on an earlier download's error: it comes back for
    // this installation.
    if (workerEnded) {
        m_worker.stop();
        if (!startWorker()) {
            qCritical() << "update.cpp Update::stateUpgrade create pthread error";
            giveThePrinterBack();
        }
    }
}

void Update::giveThePrinterBack()
{
    // Not installed: the printer must stay usable.
    if (!serialObject->serialReopen())
        qCritical() << "update.cpp Update::stateUpgrade the serial link did not open again";
    if (MainWindow::instMainWindow)
        MainWindow::instMainWindow->resumeUpdateStatus();
    hideProgressBar();
    ui->labelMessage->setText(tr("Upgrade Error"));
    m_installStarted = false;
}

void Update::on_back_clicked()
{
    // Asked before the click guard: a tap that does nothing does not hold
    // up the next one.
    const update_firmware_process state = m_manager ? managerState() : CHECK_UPDATE;
    if (m_installStarted || state == DECOMPRESS_FIRMWARE_PACKET || state == UPGRADE_FIRMWARE
        || state == UPGRADE_COMPLETED)
        return;
    if (!clickGuardPass())
        return;
    if (!networkConnected())
        ui->labelMessage->setText(poorNetworkText());
    close();
}
