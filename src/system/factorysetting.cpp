#include "factorysetting.h"
#include "atomicfile.h"
#include "backgroundflush.h"
#include "config.h"
#include "getconfigfile.h"
#include "language.h"
#include "mainwindow.h"
#include "onelabledialog.h"
#include "pageframe.h"
#include "processrunner.h"
#include "resumeprintconfigsavefile.h"
#include "setting.h"
#include "stepspermm.h"
#include "sysroot.h"
#include "twobuttondialog.h"
#include "ui_factorysetting.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>

#include <unistd.h>

FactorySetting *FactorySetting::instFactorySetting = nullptr;

namespace {

const char *const WifiConfiguration = "/opt/wifi/wpa_supplicant.conf";
const char *const EmptyWifiConfiguration = "ctrl_interface=DIR=/var/run/wpa_supplicant\nupdate_config=1\n";

// Everything in /data but the names that begin with a dot (the program's
// own hidden files there survive a reset).
void removePrintFiles()
{
    QDir data(SysRoot::path(QStringLiteral("/data")));
    const QFileInfoList entries =
        data.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const bool removed = entry.isDir() && !entry.isSymLink()
            ? QDir(entry.absoluteFilePath()).removeRecursively()
            : QFile::remove(entry.absoluteFilePath());
        if (!removed)
            qWarning() << "FactorySetting: cannot remove" << entry.absoluteFilePath();
    }
}

// Forgets the saved networks. The file is replaced whole so that a power cut
// cannot leave the supplicant a torn configuration; a supplicant that runs
// is asked to read it again.
void forgetWifiNetworks()
{
    QString error;
    if (!AtomicFile::write(SysRoot::path(QString::fromLatin1(WifiConfiguration)),
                           QByteArray(EmptyWifiConfiguration), &error))
        qWarning() << "FactorySetting: cannot rewrite the Wi-Fi configuration:" << error;
    const ProcessRunner::Result reread =
        ProcessRunner::run(QStringLiteral("wpa_cli"), {QStringLiteral("-i"), QStringLiteral("wlan0"),
                                                       QStringLiteral("reconfigure")}, 3000);
    if (!reread.ok())
        qInfo() << "FactorySetting: no running supplicant took the new configuration";
}

} // namespace

FactorySetting::FactorySetting(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::FactorySetting)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);
    instFactorySetting = this;
    ui->title->setText(tr(" Factory Setting"));
    ui->label->setText(tr("Restored to factory setting."));
    if (MainWindow::instMainWindow)
        connect(this, &FactorySetting::translatorChanged, MainWindow::instMainWindow, &MainWindow::initView);
    if (Setting::instSetting)
        connect(this, &FactorySetting::translatorChanged, Setting::instSetting, &Setting::updateDisplayLabel);
}

FactorySetting::~FactorySetting()
{
    if (instFactorySetting == this)
        instFactorySetting = nullptr;
    delete ui;
}

void FactorySetting::recoveryFactorySetting()
{
    m_closeWhenReset = true;
    on_start_stop_pressed();
    if (!m_resetting)
        close();
}

void FactorySetting::on_start_stop_pressed()
{
    if (m_resetting)
        return;
    if (backBtnDisplayStatus == Back_Btn_Display) {
        backBtnDisplayStatus = Back_Btn_None;
        const int answer = (new TwoButtonDialog(tr("Confirm"), tr("Restore to factory setting?"), tr("Yes"),
                                                tr("No"), nullptr))
                               ->exec(); // deletes itself on close
        QCoreApplication::processEvents();
        if (answer == 1) {
            resetToFactory();
            return;
        }
    }
    close();
}

void FactorySetting::resetToFactory()
{
    m_resetting = true;
    Config *config = getConfigFile()->configFile();
    config->setLedStatus(true);
    config->setBuzzerStatus(true);
    config->setFilamentDetect(true);
    config->setPowerOffResumePrintStatus(true);
    config->setAutoSwitch(false);
    using StepsPerMm::Axis;
    config->setTransmissionRatio(StepsPerMm::range(Axis::X).factory, StepsPerMm::range(Axis::Y).factory,
                                 StepsPerMm::range(Axis::Z).factory, StepsPerMm::range(Axis::E).factory);
    // The interrupted print's file goes below: the next start must not offer it.
    config->setPowerOffResumePrintFileName(std::string());
    config->setPrinterLanguage("english");

    // The page's title, over the dimmed screen, while the reset works.
    if (!OneLableDialog::instOneLableDialog)
        new OneLableDialog(QString());
    OneLableDialog::instOneLableDialog->setLabelText(tr(" Factory Setting").trimmed());
    OneLableDialog::instOneLableDialog->show();
    // The files, the Wi-Fi configuration and the settings reach the medium
    // before the reset is shown done: a user may switch off right after.
    BackgroundFlush::start(
        [] {
            removePrintFiles();
            FILESNAMESPACE::ResumePrintConfigSaveFile()->removeResumePrintConfigFile();
            forgetWifiNetworks();
            getConfigFile()->configFile()->flush();
            ::sync();
        },
        this, [this] { showResetDone(); });
}

void FactorySetting::showResetDone()
{
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->close();
    Language::installCatalogue(QStringLiteral("english"));
    emit translatorChanged();

    ui->title->setText(tr("Completed"));
    ui->label->setText(tr("Restored to factory setting"));
    ui->start_stop->setText(tr("OK"));
    ui->back->hide();
    m_resetting = false;
    if (m_closeWhenReset)
        close();
}
