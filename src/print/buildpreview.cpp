#include "buildpreview.h"
#include "ui_buildpreview.h"

#include "buildprint.h"
#include "clickguard.h"
#include "filestorage.h"
#include "mainwindow.h"
#include "nobuttondialog.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "pageopener.h"
#include "printfileformat.h"
#include "printfileheader.h"
#include "progressdialog.h"
#include "shellstyle.h"
#include "showdisk.h"
#include "thumbnail.h"
#include "timescale.h"
#include "tmsdk/FileManager.h"
#include "twobuttondialog.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <unistd.h>

BuildPreview *BuildPreview::instBuildPreview = nullptr;

namespace {

// A stick's copy that fails its comparison is tried again this often before
// the user is asked to retry.
constexpr int kBuildCopyTries = 3;

} // namespace

BuildPreview::BuildPreview(QString path, QWidget *parent)
    : QWidget(parent), ui(new Ui::BuildPreview), mFileName(path)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    move(0, 30);
    PageFrame::setBackground(this);
    ui->widget->setAttribute(Qt::WA_StyledBackground);
    ui->widget->setStyleSheet(QString::fromLatin1(ShellStyle::BottomBar).arg(ui->widget->objectName()));
    ui->btn_back->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ui->btn_back->setIconSize(QSize(24, 48));
    on_btn_back_released();
    instBuildPreview = this;

    const QFontMetrics metrics(ui->label_fileName->font());
    ui->label_fileName->setText(metrics.elidedText(shortName(), Qt::ElideRight, ui->label_fileName->width()));
    copyButtonShow();
    getFileParam();
    ui->btn_copy->setEnabled(FileStorage::stickMounted());

    copyFileProgressTimer.setInterval(TimeScale::ms(1000));
    connect(&copyFileProgressTimer, &QTimer::timeout, this, &BuildPreview::slot_showCopyProgress);
    connect(&m_job, &CopyJob::finished, this, &BuildPreview::slot_copyFinished);
    if (MainWindow::instMainWindow) {
        connect(MainWindow::instMainWindow, &MainWindow::sig_usbUnmount, this, &BuildPreview::slot_usbUnmount);
        connect(MainWindow::instMainWindow, &MainWindow::sig_usbMount, this, &BuildPreview::slot_usbMount);
    }
    if (ShowDisk::instShowDisk)
        connect(this, &BuildPreview::sig_updateDisk, ShowDisk::instShowDisk, &ShowDisk::slot_showmemorylist);
}

BuildPreview::~BuildPreview()
{
    if (instBuildPreview == this)
        instBuildPreview = nullptr;
    if (m_task == Task::Copy && ProgressDialog::instProgressDialog)
        ProgressDialog::instProgressDialog->close();
    if (m_task == Task::Build && NoButtonDialog::instNoButtonDialog)
        NoButtonDialog::instNoButtonDialog->close();
    if (MainWindow::instMainWindow)
        disconnect(MainWindow::instMainWindow, nullptr, this, nullptr);
    delete ui;
    // m_job cancels and waits for its worker as it goes; only its temporary
    // file is removed.
}

QString BuildPreview::shortName() const
{
    return mFileName.section('/', -1).trimmed();
}

void BuildPreview::copyButtonShow()
{
    isUPanPath = FileStorage::isOnStick(mFileName);
}

void BuildPreview::getFileParam()
{
    isGxFile = PrintFileHeader::isHeadedForPages(mFileName);
    GXFileHeader header;
    if (isGxFile && PrintFileHeader::read(mFileName, header)) {
        mBuildTime = header.timeUsed;
        mBuildFilament = header.materialUsed[0];
        mBuildLayerHeight = header.layerHeight;
        mBuildSpeed = header.speed;
        ui->label_time->setText(PrintFileFormat::printTime(mBuildTime));
        ui->label_speed->setText(PrintFileFormat::speed(mBuildSpeed));
        ui->label_filament->setText(PrintFileFormat::filamentLength(mBuildFilament));
        ui->label_layerHeight->setText(PrintFileFormat::layerHeight(mBuildLayerHeight));
    }
    ui->label_filePixmap->setPixmap(defaultPrintFilePicture(124, 124));
    if (!isGxFile)
        return;
    connect(&m_thumbnail, &ThumbnailCache::loaded, this, [this] {
        bool known = false;
        const QPixmap thumbnail = m_thumbnail.lookup(QFileInfo(mFileName), &known);
        if (!thumbnail.isNull())
            ui->label_filePixmap->setPixmap(thumbnail);
    });
    bool known = false;
    m_thumbnail.lookup(QFileInfo(mFileName), &known);
}

void BuildPreview::oneButtonDialogShow(const QString &text)
{
    OneButtonDialog::showMessage(text);
    repaint();
}

void BuildPreview::on_btn_back_clicked()
{
    close();
}

void BuildPreview::on_btn_back_pressed()
{
    ui->btn_back->setIcon(QIcon(QStringLiteral(":/Resource/icon/Back_c.png")));
    ui->btn_back->setStyleSheet(QString::fromLatin1(ShellStyle::BackPressed));
}

void BuildPreview::on_btn_back_released()
{
    ui->btn_back->setIcon(QIcon(QStringLiteral(":/Resource/icon/Back.png")));
    ui->btn_back->setStyleSheet(QString::fromLatin1(ShellStyle::BackReleased));
}

void BuildPreview::on_btn_delete_clicked()
{
    // The file is not deleted under a copy that reads it.
    if (m_job.isRunning() || !clickGuardPass())
        return;
    QPointer<BuildPreview> alive(this);
    auto *question = new TwoButtonDialog(tr("Are you sure to delete"), tr("Are you sure\n to delete the file?"),
                                         tr("OK"), tr("Cancel"));
    const int answer = question->exec();
    if (!alive || answer != 1)
        return;
    qDebug("remove file: %s", qPrintable(mFileName));
    if (tmsdk::FileManager::remove(QFile::encodeName(mFileName).toStdString()) != 0) {
        oneButtonDialogShow(tr("Delete failed"));
        return;
    }
    emit sig_updateDisk();
    close();
}

void BuildPreview::on_btn_copy_clicked()
{
    if (!clickGuardPass() || m_job.isRunning())
        return;
    if (!FileStorage::stickMounted()) {
        oneButtonDialogShow(tr("Please insert USB Disk !"));
        return;
    }
    const QString targetRoot = isUPanPath ? FileStorage::localRoot() : FileStorage::stickRoot();
    allCopyBytes = QFileInfo(mFileName).size();
    if (FileStorage::freeSpace(targetRoot) < allCopyBytes) {
        oneButtonDialogShow(tr("Storage space is not enough"));
        return;
    }
    dstCopyFilePathName = targetRoot + '/' + shortName();
    if (!ProgressDialog::instProgressDialog)
        new ProgressDialog(QString(), tr("Copying..."));
    ProgressDialog::instProgressDialog->setMax(allCopyBytes);
    ProgressDialog::instProgressDialog->show();
    m_task = Task::Copy;
    // Files entering /data get the next file-order stamp; copies onto the
    // stick keep their times.
    m_job.start({CopyJob::Item{mFileName, dstCopyFilePathName, isUPanPath}});
    copyFileProgressTimer.start();
}

void BuildPreview::slot_showCopyProgress()
{
    if (m_task != Task::Copy || !m_job.isRunning())
        return;
    ProgressDialog *dialog = ProgressDialog::instProgressDialog;
    if (!dialog) {
        // Its Cancel closed it, or the main window cleared the screen.
        m_job.cancel();
        return;
    }
    const CopyJob::Snapshot s = m_job.progress();
    if (s.verifying)
        dialog->setLabelText(tr("Verifying file..."));
    dialog->setValue(s.copied);
}

void BuildPreview::on_btn_build_clicked()
{
    if (!clickGuardPass() || BuildPrint::instBuildPrint || m_job.isRunning())
        return;
    if (!isUPanPath) {
        openPage(BuildPrint::instBuildPrint, mFileName, false);
        return;
    }
    // Printing reads the file for a long time: never from the stick, which
    // may be pulled, but from a verified local copy.
    allCopyBytes = QFileInfo(mFileName).size();
    if (FileStorage::freeSpace(FileStorage::localRoot()) < allCopyBytes) {
        oneButtonDialogShow(tr("Storage space is not enough"));
        return;
    }
    if (!NoButtonDialog::instNoButtonDialog)
        new NoButtonDialog(tr("Copy File"), tr("Waiting..."));
    NoButtonDialog::instNoButtonDialog->show();
    dstBuildFilePathName = FileStorage::localRoot() + '/' + shortName();
    m_buildTries = 0;
    startBuildCopy();
}

void BuildPreview::startBuildCopy()
{
    ++m_buildTries;
    m_task = Task::Build;
    m_job.start({CopyJob::Item{mFileName, dstBuildFilePathName, false}});
}

void BuildPreview::slot_copyFinished(VerifiedCopy::Result result, int)
{
    const Task task = m_task;
    m_task = Task::None;
    if (task == Task::Build)
        buildCopyFinished(result);
    else if (task == Task::Copy)
        copyFinished(result);
}

void BuildPreview::buildCopyFinished(VerifiedCopy::Result result)
{
    if (result == VerifiedCopy::Result::Mismatch && m_buildTries < kBuildCopyTries) {
        startBuildCopy();
        return;
    }
    if (NoButtonDialog::instNoButtonDialog)
        NoButtonDialog::instNoButtonDialog->close();
    if (result == VerifiedCopy::Result::Done) {
        const QString localCopy = dstBuildFilePathName;
        dstBuildFilePathName.clear();
        if (!BuildPrint::instBuildPrint)
            openPage(BuildPrint::instBuildPrint, localCopy, false);
    } else if (result != VerifiedCopy::Result::Cancelled) {
        oneButtonDialogShow(tr("Please retry"));
    }
}

void BuildPreview::copyFinished(VerifiedCopy::Result result)
{
    copyFileProgressTimer.stop();
    if (ProgressDialog::instProgressDialog)
        ProgressDialog::instProgressDialog->close();
    if (result == VerifiedCopy::Result::Done) {
        dstCopyFilePathName.clear();
        oneButtonDialogShow(tr("Copy completed"));
    } else if (result != VerifiedCopy::Result::Cancelled) {
        oneButtonDialogShow(tr("Please retry"));
    }
}

void BuildPreview::slot_usbMount()
{
    ui->btn_copy->setEnabled(true);
}

void BuildPreview::slot_usbUnmount()
{
    // Every copy reads or writes the stick: stop it; only its temporary file
    // goes.
    if (m_job.isRunning()) {
        m_job.cancel();
        copyFileProgressTimer.stop();
        if (m_task == Task::Copy && ProgressDialog::instProgressDialog)
            ProgressDialog::instProgressDialog->close();
    }
    if (isUPanPath) {
        if (TwoButtonDialog::instTwoButtonDialog)
            TwoButtonDialog::instTwoButtonDialog->close();
        close();
    }
    ui->btn_copy->setEnabled(false);
}
