#include "about.h"
#include "boardrequest.h"
#include "clickguard.h"
#include "cmdprocess.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "serialobject.h"
#include "shellstyle.h"
#include "softwareversion.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "ui_about.h"

#include <QDebug>
#include <QIcon>
#include <QPainter>
#include <QPen>

#include <sys/vfs.h>

About *About::instAbout = nullptr;
const char *const About::MachineType = "Korrin Plus";

namespace {

// Presses on the serial number so far; the fifth copies the logs. Shared by
// all instances and reset when a page goes, so a series belongs to one page.
int clickedNum = 0;
constexpr int LogCopyPresses = 5;

// Free bytes of /data for unprivileged users as "3.52GB"; empty when unknown.
QString freeSpaceText()
{
    struct statfs fs {};
    if (::statfs(SysRoot::pathStd("/data/").c_str(), &fs) != 0) {
        qWarning() << "About: check space failed";
        return QString();
    }
    const qint64 bytes = static_cast<qint64>(fs.f_bavail) * static_cast<qint64>(fs.f_bsize);
    return QString::number(bytes / 1000000000.0, 'f', 2) + QStringLiteral("GB");
}

QString latestPackage(const char *kind)
{
    QString dir = QStringLiteral("/opt/PROGRAM/") + QLatin1String(kind);
    return MainWindow::getLatestVersionNumber(dir);
}

QString wifiMac()
{
    std::string mac;
    if (MainWindow::getLocalMac("wlan0", mac) != 0)
        return QString();
    return QString::fromStdString(mac);
}

} // namespace

About::About(QWidget *parent)
    : QDialog(parent), ui(new Ui::About), serialObject(ExecuteGetSerialObject()->serial()), m_refresh(this)
{
    ui->setupUi(this);
    ui->twoPageWidget->move(0, 0);
    ui->twoPageWidget->hide();
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    ui->up->setStyleSheet(QString::fromLatin1(ShellStyle::PageUpButton));
    ui->down->setStyleSheet(QString::fromLatin1(ShellStyle::PageDownButton));
    ui->label->setStyleSheet(QStringLiteral("color:#222222;font:14px"));
    instAbout = this;

    initView();
    const bool started = m_refresh.start([this] {
        m_refresh.post([this] { showWIFIStatus(); });
        return 0;
    });
    if (!started)
        qWarning() << "About: create update wifi status pthread error.";
}

About::~About()
{
    m_refresh.stop();
    if (instAbout == this)
        instAbout = nullptr;
    clickedNum = 0;
    delete ui;
}

void About::initView()
{
    m_aboutDisplayPage = ABOUT_DISPLAY_ONE_PAGE;
    showVersion();
    const int hours = getConfigFile()->configFile()->getPrinterTotalTime() / 60;
    ui->labelUsageCounter->setText(QString::number(hours) + QLatin1Char(' ') + tr(" hours"));
    ui->label_localMomery->setText(freeSpaceText());
    ui->labelMachineType->setText(QString::fromLatin1(MachineType));
    ui->btn_serinalNo->setText(QString::fromStdString(getConfigFile()->configFile()->getPrinterSerialNumber()));
    ui->labelEmail->setText(tr("support@korrin3d.com"));
    ui->labelWebsite->setText(tr("www.korrin3d.com"));
    ui->down->setEnabled(true);
    ui->up->setEnabled(false);
}

// "v<program>-<board firmware>-<kernel>-<library>", the board's part filled
// in once it answers "M901". A board that does not answer leaves it empty
// rather than showing a failure text as a version.
void About::showVersion()
{
    const auto show = [this](const QString &firmware) {
        ui->labelFirmwareVersion->setText(QStringLiteral("v%1-%2-%3-%4").arg(
            QString::fromLatin1(SoftwareVersion), firmware, latestPackage("kernel/"), latestPackage("library/")));
    };
    show(QString());
    BoardRequest *query = serialObject->request(QStringLiteral("M901"), this);
    connect(query, &BoardRequest::finished, this,
            [query, show] { show(StringBrevik::firmwareVersion(query->reply())); });
}

void About::showWIFIStatus()
{
    MainWindow *window = MainWindow::instMainWindow;
    if (!window)
        return;
    if (window->getNetworkConnectedStatus()) {
        const QString ip = window->getWiFiIpAddress();
        if (ip.isEmpty())
            return;
        ui->labelIpAddress->setText(ip + QStringLiteral(":8899"));
    } else {
        ui->labelIpAddress->setText(tr("No Network"));
    }
    ui->labelMACAddress->setText(wifiMac());
}

void About::on_back_clicked()
{
    if (clickGuardPass())
        close();
}

void About::on_back_pressed()
{
    showBackLook(true);
}

void About::on_back_released()
{
    showBackLook(false);
}

void About::showBackLook(bool pressed)
{
    ui->back->setIcon(QIcon(pressed ? QStringLiteral(":/Resource/icon/Back_c.png") : QStringLiteral(":/Resource/icon/Back.png")));
    ui->back->setStyleSheet(QString::fromLatin1(pressed ? ShellStyle::BackPressed : ShellStyle::BackReleased));
    repaint();
}

void About::on_up_clicked()
{
    if (m_aboutDisplayPage != ABOUT_DISPLAY_TWO_PAGE)
        return;
    m_aboutDisplayPage = ABOUT_DISPLAY_ONE_PAGE;
    ui->OnePageWidget->show();
    ui->twoPageWidget->hide();
    ui->label->setText(tr("1/2"));
    ui->down->setEnabled(true);
    ui->up->setEnabled(false);
}

void About::on_down_clicked()
{
    if (m_aboutDisplayPage != ABOUT_DISPLAY_ONE_PAGE)
        return;
    m_aboutDisplayPage = ABOUT_DISPLAY_TWO_PAGE;
    ui->OnePageWidget->hide();
    ui->twoPageWidget->show();
    ui->label->setText(tr("2/2"));
    ui->down->setEnabled(false);
    ui->up->setEnabled(true);
}

void About::on_btn_serinalNo_clicked()
{
    ++clickedNum;
    qDebug() << "About: clickedNum:" << clickedNum;
    if (clickedNum < LogCopyPresses)
        return;
    clickedNum = 0;
    copyLogsToStick();
}

void About::copyLogsToStick()
{
    MainWindow *window = MainWindow::instMainWindow;
    if (window && window->getUDiskState()) {
        if (!CmdProcess::instCmdProcess)
            new CmdProcess(nullptr);
        CmdProcess::instCmdProcess->executeCmd(
            QStringLiteral("cp"),
            {QStringLiteral("-rf"), SysRoot::path(QStringLiteral("/opt/PROGRAM/log/")), SysRoot::path(QStringLiteral("/media"))});
        return;
    }
    const QString text = tr("No USB flash disk detected!");
    if (OneButtonDialog::instOneButtonDialog) {
        OneButtonDialog::instOneButtonDialog->setLabelText(text);
        return;
    }
    (new OneButtonDialog(QString(), text, QString(), nullptr))->exec();
}

void About::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(0xe5, 0xe5, 0xe5), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(0, 0, 272, 0);
}
