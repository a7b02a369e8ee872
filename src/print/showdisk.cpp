// The file browser: its rows, the listing of a folder a page at a time,
// touches on rows (open, long touch into select mode) and going up and back.
#include "showdisk.h"
#include "ui_showdisk.h"

#include "buildpreview.h"
#include "cfilemanager.h"
#include "clickguard.h"
#include "doubletapguard.h"
#include "filestorage.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "pageopener.h"
#include "printfileheader.h"
#include "progressdialog.h"
#include "showdiskitem.h"
#include "thumbnail.h"
#include "thumbnailcache.h"
#include "timescale.h"

#include <QFrame>
#include <QMouseEvent>

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

// Folders first, then the print files of each suffix newest first.
void ShowDisk::getDiskFileList(const QString &path)
{
    mFilePath = path;
    mAllItemList.clear();
    mAllFileList.clear();
    mAllFilePath.clear();
    mFileVersions.clear();
    if (mFilePath.trimmed() != mSearchPath)
        mAllItemList << FileItemInfo{Item_UpDir, QStringLiteral(".."), false};

    for (const CFileManager::ListedEntry &entry : CFileManager::listForBrowser(mFilePath, kPrintSuffixes)) {
        if (entry.isFolder) {
            mAllItemList << FileItemInfo{Item_Path, entry.name, false};
            continue;
        }
        const FileItemInfo item{Item_Print_File, entry.name, false};
        mAllItemList << item;
        mAllFileList << item;
        mAllFilePath << pathOf(entry.name);
        mFileVersions.insert(entry.name, ThumbnailCache::Version{entry.modifiedMs, entry.size});
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
    // Only the rows on screen are worth reading from a slow stick.
    mThumbnails->dropQueued();
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
        icon = mThumbnails->lookup(pathOf(item.itemText), mFileVersions.value(item.itemText), &known);
    }
    mItemsList[row]->setIcon(icon.isNull() ? defaultPrintFilePicture(28, 28) : icon);
}

void ShowDisk::slot_thumbnailLoaded(const QString &path)
{
    for (int i = 0; i < mShowItemList.size(); ++i) {
        if (mShowItemList.at(i).itemType == Item_Print_File
            && pathOf(mShowItemList.at(i).itemText) == path)
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
        DoubleTapGuard::contentReplaced(this);
        break;
    case Item_Print_File:
        if (!BuildPreview::instBuildPreview)
            openPage(BuildPreview::instBuildPreview, pathOf(itemInfo.itemText));
        break;
    case Item_UpDir:
        getDiskFileList(QFileInfo(mFilePath).absolutePath());
        DoubleTapGuard::contentReplaced(this);
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

void ShowDisk::slot_showmemorylist()
{
    getDiskFileList(mSearchPath);
}

void ShowDisk::delayClose()
{
    close();
}
