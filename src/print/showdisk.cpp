#include "showdisk.h"
#include "ui_showdisk.h"

#include "buildpreview.h"
#include "cfilemanager.h"
#include "clickguard.h"
#include "filestorage.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "pageopener.h"
#include "printfileheader.h"
#include "progressdialog.h"
#include "showdiskitem.h"
#include "thumbnail.h"
#include "thumbnailcache.h"
#include "timescale.h"
#include "tmsdk/FileManager.h"
#include "twobuttondialog.h"

#include <QFile>
#include <QFrame>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>

#include <unistd.h>

ShowDisk *ShowDisk::instShowDisk = nullptr;

namespace {

constexpr int kRows = 7;
const QStringList kPrintSuffixes = {QStringLiteral("g"), QStringLiteral("gx"), QStringLiteral("gcode")};

QPixmap folderPicture()
{
    return QPixmap(QStringLiteral(":/Resource/icon/Folder.png"));
}

QFrame *separatorLine(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFixedSize(272, 1);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("border: 1px solid #E5E5E5;"));
    return line;
}

} // namespace

ShowDisk::ShowDisk(ShowFilesFromWhere from, QWidget *parent)
    : QDialog(parent),
      ui(new Ui::ShowDisk),
      mFromWhere(from),
      mThumbnails(new ThumbnailCache(QSize(28, 28), this))
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    instShowDisk = this;

    mSearchPath = from == From_LocalMemory ? FileStorage::localRoot() : FileStorage::stickRoot();
    ui->widget_select->hide();

    mTimer.setInterval(TimeScale::ms(500));
    mTimer.setSingleShot(true);
    connect(&mTimer, &QTimer::timeout, this, &ShowDisk::slot_triggerSelect);

    ui->verticalLayout_items->addWidget(separatorLine(ui->widget_itmes));
    for (int i = 0; i < kRows; ++i) {
        auto *row = new ShowDiskItem(ui->widget_itmes);
        row->installEventFilter(this);
        ui->verticalLayout_items->addWidget(row);
        mItemsList << row;
        QFrame *line = separatorLine(ui->widget_itmes);
        ui->verticalLayout_items->addWidget(line);
        mLinesList << line;
    }

    connect(mThumbnails, &ThumbnailCache::loaded, this, &ShowDisk::slot_thumbnailLoaded);
    connect(&m_copy, &CopyJob::finished, this, &ShowDisk::slot_copyFinished);
    m_copyProgressTimer.setInterval(TimeScale::ms(200));
    connect(&m_copyProgressTimer, &QTimer::timeout, this, &ShowDisk::slot_showCopyProgress);
    if (MainWindow::instMainWindow)
        connect(MainWindow::instMainWindow, &MainWindow::sig_usbUnmount, this, &ShowDisk::slot_usbRemove);

    getDiskFileList(mSearchPath);
}

ShowDisk::~ShowDisk()
{
    if (m_copy.isRunning() && ProgressDialog::instProgressDialog)
        ProgressDialog::instProgressDialog->close();
    if (MainWindow::instMainWindow)
        disconnect(MainWindow::instMainWindow, nullptr, this, nullptr);
    delete ui;
    if (instShowDisk == this)
        instShowDisk = nullptr;
}

QPixmap ShowDisk::getPixmap(QString path, int width, int height)
{
    return printFileThumbnail(path, width, height);
}

// Folders first, then the print files of each suffix newest first; a name
// met twice is listed once.
void ShowDisk::getDiskFileList(const QString &path)
{
    mFilePath = path;
    mAllItemList.clear();
    mAllFileList.clear();
    mAllFilePath.clear();
    mFileInfos.clear();
    if (mFilePath.trimmed() != mSearchPath)
        mAllItemList << FileItemInfo{Item_UpDir, QStringLiteral(".."), false};

    QSet<QString> seen;
    for (const QString &suffix : kPrintSuffixes) {
        for (const QFileInfo &entry : CFileManager::checkNeedFileOut(mFilePath, suffix, false)) {
            const QString name = entry.fileName();
            if (name == QLatin1String("..") || name == QLatin1String(".") || seen.contains(name))
                continue;
            seen.insert(name);
            if (entry.isDir()) {
                mAllItemList << FileItemInfo{Item_Path, name, false};
            } else if (kPrintSuffixes.contains(entry.suffix())) {
                const FileItemInfo item{Item_Print_File, name, false};
                mAllItemList << item;
                mAllFileList << item;
                mAllFilePath << pathOf(name);
                mFileInfos.insert(name, entry);
            }
        }
    }
    getShowList(mCurrenPage, rowsPerPage());
    showList();
}

int ShowDisk::pageCount(int rows) const
{
    return (mAllItemList.size() - 1) / rows + 1;
}

void ShowDisk::getShowList(int page, int rows)
{
    mShowItemList.clear();
    const int pages = pageCount(rows);
    if (page + 1 >= pages)
        page = pages - 1;
    page = qMax(page, 0);
    mCurrenPage = page;
    const int first = page * rows;
    mShowItemList = mAllItemList.mid(first, rows);
    ui->up->setEnabled(page >= 1);
    ui->down->setEnabled(mAllItemList.size() - first > rows);
}

void ShowDisk::showList()
{
    const int n = mShowItemList.size();
    const int rows = rowsPerPage();
    for (int i = 0; i < kRows; ++i) {
        mItemsList[i]->setVisible(i < n);
        mLinesList[i]->setVisible(i < n && !(n == rows && i == n - 1));
    }
    for (int i = 0; i < n; ++i) {
        FileItemInfo &item = mShowItemList[i];
        ShowDiskItem *row = mItemsList[i];
        if (item.itemType != Item_Print_File) {
            row->setSelectIconVisible(false);
        } else if (mTriggerSelect) {
            if (mSelectedItemList.contains(item))
                item.select = true;
            row->setSelected(item.select);
            row->setSelectIconVisible(true);
        } else {
            row->setSelectIconVisible(false);
        }
        showRowIcon(i);
        row->setItemText(item.itemText);
    }
    mCurrenPage = qMin(mCurrenPage, pageCount(rows) - 1);
    ui->show->setText(QStringLiteral("%1/%2").arg(mCurrenPage + 1).arg(pageCount(rows)));
    update();
}

// Thumbnails are read in the background; until one is known the row shows
// the generic picture.
void ShowDisk::showRowIcon(int row)
{
    const FileItemInfo &item = mShowItemList.at(row);
    if (item.itemType != Item_Print_File) {
        mItemsList[row]->setIcon(folderPicture());
        return;
    }
    QPixmap icon;
    if (PrintFileHeader::isHeadedForPages(item.itemText)) {
        bool known = false;
        icon = mThumbnails->lookup(mFileInfos.value(item.itemText), &known);
    }
    mItemsList[row]->setIcon(icon.isNull() ? defaultPrintFilePicture(28, 28) : icon);
}

void ShowDisk::slot_thumbnailLoaded(const QString &path)
{
    for (int i = 0; i < mShowItemList.size(); ++i) {
        if (mShowItemList.at(i).itemType == Item_Print_File
            && mFileInfos.value(mShowItemList.at(i).itemText).absoluteFilePath() == path)
            showRowIcon(i);
    }
}

bool ShowDisk::eventFilter(QObject *watched, QEvent *event)
{
    auto *touched = qobject_cast<ShowDiskItem *>(watched);
    if (!touched || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease))
        return QDialog::eventFilter(watched, event);
    const int row = mItemsList.indexOf(touched);
    if (row < 0 || row >= mShowItemList.size())
        return QDialog::eventFilter(watched, event);

    const FileItemInfo item = mShowItemList.at(row);
    if (event->type() == QEvent::MouseButtonPress) {
        if (!mTriggerSelect && item.itemType == Item_Print_File && !mTimer.isActive())
            mTimer.start();
        return true;
    }

    const bool shortTouch = mTimer.isActive();
    mTimer.stop();
    if (!mTriggerSelect) {
        if (shortTouch || item.itemType != Item_Print_File)
            itemDoClicked(item);
        return true;
    }
    ui->widget_select->show();
    if (!isShowSelect) {
        // The release that ends the long touch only shows the select bar.
        isShowSelect = true;
        getShowList(mCurrenPage, rowsPerPage());
        showList();
    } else if (item.itemType == Item_Print_File && !m_copy.isRunning()) {
        toggleSelection(row);
    }
    return true;
}

void ShowDisk::toggleSelection(int row)
{
    FileItemInfo &item = mShowItemList[row];
    item.select = !item.select;
    mItemsList[row]->setSelected(item.select);
    if (item.select) {
        mSelectedItemList << item;
        mSelectFilePath << pathOf(item.itemText);
    } else {
        mSelectedItemList.removeOne(item);
        mSelectFilePath.removeOne(pathOf(item.itemText));
    }
    ui->btn_selectAll->setChecked(mSelectedItemList.size() == mAllFileList.size());
}

void ShowDisk::slot_triggerSelect()
{
    mTimer.stop();
    mTriggerSelect = true;
}

void ShowDisk::itemDoClicked(FileItemInfo itemInfo)
{
    if (!clickGuardPass())
        return;
    switch (itemInfo.itemType) {
    case Item_Path:
        getDiskFileList(pathOf(itemInfo.itemText));
        break;
    case Item_Print_File:
        if (!BuildPreview::instBuildPreview)
            openPage(BuildPreview::instBuildPreview, pathOf(itemInfo.itemText));
        break;
    case Item_UpDir:
        getDiskFileList(QFileInfo(mFilePath).absolutePath());
        break;
    }
}

void ShowDisk::on_up_clicked()
{
    if (!clickGuardPass())
        return;
    getShowList(mCurrenPage - 1, rowsPerPage());
    showList();
}

void ShowDisk::on_down_clicked()
{
    if (!clickGuardPass())
        return;
    getShowList(mCurrenPage + 1, rowsPerPage());
    showList();
}

void ShowDisk::on_back_clicked()
{
    if (m_copy.isRunning() || !clickGuardPass())
        return;
    if (mTriggerSelect) {
        mTriggerSelect = false;
        isShowSelect = false;
        ui->btn_selectAll->setChecked(false);
        mSelectedItemList.clear();
        mSelectFilePath.clear();
        ui->widget_select->hide();
        getShowList(mCurrenPage, rowsPerPage());
        for (FileItemInfo &item : mShowItemList)
            item.select = false;
        showList();
    } else if (mFilePath == mSearchPath) {
        close();
    } else {
        getDiskFileList(QFileInfo(mFilePath).absolutePath());
    }
}

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
        oneButtonDialogShow(tr("Please insert USB Disk !"));
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
        oneButtonDialogShow(tr("Storage space is not enough"));
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
    oneButtonDialogShow(tr("Copy Completed"), tr("Ok"));
}

void ShowDisk::copyFail(int code)
{
    oneButtonDialogShow(tr("Copy Failed") + QStringLiteral("(%1)").arg(code), tr("Ok"));
}

void ShowDisk::oneButtonDialogShow(const QString &text, const QString &buttonText)
{
    if (OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog) {
        dialog->setLabelText(text);
        if (!buttonText.isEmpty())
            dialog->setBtnText(buttonText);
    } else {
        new OneButtonDialog(QString(), text, buttonText);
    }
    OneButtonDialog::instOneButtonDialog->show();
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
        ::sync();
        mSelectedItemList.clear();
        mSelectFilePath.clear();
        ui->btn_selectAll->setChecked(false);
    }
    getDiskFileList(mFilePath);
    if (failed)
        oneButtonDialogShow(tr("Delete failed"));
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

void ShowDisk::slot_showmemorylist()
{
    getDiskFileList(mSearchPath);
}

void ShowDisk::delayClose()
{
    close();
}
