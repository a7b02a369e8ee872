#include "scanner.h"
#include "config.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "sysroot.h"
#include "ui_scanner.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

namespace {

QString macLine()
{
    QFile file(SysRoot::path(QStringLiteral("/etc/MAC")));
    if (!file.exists())
        return QCoreApplication::translate("Scanner", "No ethernet mac found");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QCoreApplication::translate("Scanner", "No ethernet mac found");
    return QStringLiteral("MAC: ") + QTextStream(&file).readLine().trimmed();
}

} // namespace

Scanner::Scanner(QString dev, QWidget *parent) : QWidget(parent), ui(new Ui::Scanner), m_dev(std::move(dev))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    move(0, 40);
    PageFrame::setBackground(this);
    ui->showMACAddress->setText(macLine());
    connect(this, &Scanner::sig_showScanStr, this, &Scanner::showScanStr, Qt::QueuedConnection);
    connect(this, &Scanner::sig_scanTooLong, this, &Scanner::showScanTooLong, Qt::QueuedConnection);
    start();
}

Scanner::~Scanner()
{
    stop();
    delete ui;
}

int Scanner::start()
{
    return m_reader.start(m_dev, [this](const QString &code) { emitInputEvent(code); },
                          [this] { emit sig_scanTooLong(); });
}

int Scanner::stop()
{
    m_reader.stop();
    return 0;
}

// Reader thread: the code reaches the screen queued.
void Scanner::emitInputEvent(const QString &code)
{
    emit sig_showScanStr(code);
}

void Scanner::showScanStr(QString code)
{
    if (!code.isEmpty())
        ui->lineEdit->setText(code);
}

void Scanner::showScanTooLong()
{
    qWarning() << "Scanner: a scanned code longer than" << KeyEventReader::kMaxCodeLength << "characters is refused";
    ui->lineEdit->setText(QString());
    const QString text = tr("The scanned code is too long.");
    OneButtonDialog::showMessage(text);
}

void Scanner::on_clear_pressed()
{
    ui->lineEdit->setText(QString());
}

void Scanner::on_lineEdit_pressed()
{
    ui->lineEdit->setText(QString());
}

// Nothing scanned keeps the stored serial number: an empty one would leave
// the printer without any.
void Scanner::on_ok_pressed()
{
    const QString code = ui->lineEdit->text();
    if (!code.isEmpty())
        getConfigFile()->configFile()->setPrinterSerialNumber(code.toStdString());
    else
        qWarning() << "Scanner: nothing scanned, the serial number stays";
    close();
    if (MainWindow::instMainWindow)
        MainWindow::instMainWindow->artMachine();
}
