// The file browser's select bar: select all, copy the chosen files to the
// other storage, delete them; and the stick going while a copy runs.
#include "showdisk.h"
#include "ui_showdisk.h"

#include "clickguard.h"
#include "filestorage.h"
#include "onebuttondialog.h"
#include "progressdialog.h"
#include "timescale.h"
#include "tmsdk/FileManager.h"
#include "twobuttondialog.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

void ShowDisk::on_btn_selectAll_clicked()
{
    if (m_copy.isRunning()) {
        // The running copy works on its own list; the mark stays as it was.
        ui->btn_selectAll->setChecked(!ui->btn_selectAll->isChecked());
        return;
    }
    if (!clickGuardPass())
        return;
    ui->btn_selectAll->setEnabled(false);
    const bool all = ui->btn_selectAll->isChecked();
    mSelectedItemList = all ? mAllFileList : QList<FileItemInfo>();
    mSelectFilePath = all ? mAllFilePath : QStringList();
    for (FileItemInfo &item : mShowItemList)
        item.select = all;
    showList();
    ui->btn_selectAll->setEnabled(true);
}

void ShowDisk::on_btn_copy_clicked()
{
    if (m_copy.isRunning() || mSelectFilePath.isEmpty())
        return;
    const bool toStick = mFromWhere == From_LocalMemory;
    if (toStick && !FileStorage::stickMounted()) {
        OneButtonDialog::showMessage(tr("Please insert USB Disk !"));
        return;
    }
    const QString targetRoot = toStick ? FileStorage::stickRoot() : FileStorage::localRoot();
    qint64 allCopyBytes = 0;
    QList<CopyJob::Item> items;
    for (const QString &source : mSelectFilePath) {
        const QFileInfo info(source);
        allCopyBytes += info.size();
        items << CopyJob::Item{source, targetRoot + '/' + info.fileName(), !toStick};
    }
    if (FileStorage::freeSpace(targetRoot) < allCopyBytes) {
        OneButtonDialog::showMessage(tr("Storage space is not enough"));
        return;
    }
    if (!ProgressDialog::instProgressDialog)
        new ProgressDialog(QString(), tr("Copy File..."));
    ProgressDialog::instProgressDialog->show();
    m_stickLost = false;
    m_copy.start(items);
    slot_showCopyProgress();
    m_copyProgressTimer.start();
}

void ShowDisk::slot_showCopyProgress()
{
    if (!m_copy.isRunning())
        return;
    ProgressDialog *dialog = ProgressDialog::instProgressDialog;
    if (!dialog) {
        // Its Cancel closed it (or the main window cleared the screen).
        m_copy.cancel();
        return;
    }
    const CopyJob::Snapshot s = m_copy.progress();
    const QString counter = QStringLiteral("(%1/%2)").arg(s.index + 1).arg(s.count);
    dialog->setLabelText((s.verifying ? tr("Verifying file...") : tr("Copy File...")) + counter);
    // Until the file is opened its size is unknown: 0 of 0 would read 100 %.
    if (s.total > 0) {
        dialog->setMax(s.total);
        dialog->setValue(s.copied);
    }
}

void ShowDisk::slot_copyFinished(VerifiedCopy::Result result, int)
{
    m_copyProgressTimer.stop();
    if (ProgressDialog::instProgressDialog)
        ProgressDialog::instProgressDialog->close();
    if (m_stickLost) {
        copyFail(0);
        if (mFromWhere == From_UDisk)
            QTimer::singleShot(TimeScale::ms(200), this, &ShowDisk::delayClose);
        return;
    }
    switch (result) {
    case VerifiedCopy::Result::Done:
        copySuccessful();
        break;
    case VerifiedCopy::Result::Cancelled:
        break;
    case VerifiedCopy::Result::TargetFailed:
        copyFail(1);
        break;
    case VerifiedCopy::Result::Mismatch:
        copyFail(2);
        break;
    case VerifiedCopy::Result::SourceFailed:
        copyFail(3);
        break;
    }
}

void ShowDisk::copySuccessful()
{
    OneButtonDialog::showMessage(tr("Copy Completed"), tr("Ok"));
}

void ShowDisk::copyFail(int code)
{
    OneButtonDialog::showMessage(tr("Copy Failed") + QStringLiteral("(%1)").arg(code), tr("Ok"));
}

void ShowDisk::on_btn_delete_clicked()
{
    if (m_copy.isRunning() || mSelectFilePath.isEmpty())
        return;
    if (TwoButtonDialog::instTwoButtonDialog) {
        TwoButtonDialog::instTwoButtonDialog->close();
        QCoreApplication::processEvents();
    }
    QPointer<ShowDisk> alive(this);
    auto *question = new TwoButtonDialog(tr("Are you sure to delete"), tr("Are you sure\n to delete the file?"),
                                         tr("OK"), tr("Cancel"));
    const int answer = question->exec();
    if (!alive)
        return;
    bool failed = false;
    if (answer == 1) {
        const QStringList paths = mSelectFilePath;
        for (const QString &path : paths) {
            if (mFromWhere == From_UDisk && !FileStorage::stickMounted())
                break;
            if (tmsdk::FileManager::remove(QFile::encodeName(path).toStdString()) != 0) {
                qWarning("showdisk: cannot delete %s", qPrintable(path));
                failed = true;
            }
        }
        mSelectedItemList.clear();
        mSelectFilePath.clear();
        ui->btn_selectAll->setChecked(false);
    }
    getDiskFileList(mFilePath);
    if (failed)
        OneButtonDialog::showMessage(tr("Delete failed"));
}

void ShowDisk::slot_usbRemove()
{
    const bool copyTouchesStick = m_copy.isRunning();
    if (copyTouchesStick) {
        m_stickLost = true;
        m_copy.cancel();
    }
    if (mFromWhere == From_LocalMemory) {
        ui->btn_copy->hide();
        return;
    }
    if (TwoButtonDialog::instTwoButtonDialog)
        TwoButtonDialog::instTwoButtonDialog->close();
    // A running copy reports its end first; the page closes after that.
    if (!copyTouchesStick)
        QTimer::singleShot(TimeScale::ms(200), this, &ShowDisk::delayClose);
}
