#pragma once

#include "copyjob.h"
#include "thumbnailcache.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

class QFrame;
class ShowDiskItem;
namespace Ui {
class ShowDisk;
}

enum ShowFilesFromWhere { From_UDisk = 0, From_LocalMemory = 1 };

enum FileItemType { Item_UpDir = 0, Item_Path = 1, Item_Print_File = 2 };

// One row of the list: a print file, a folder or the ".." row.
struct FileItemInfo {
    FileItemType itemType = Item_Print_File;
    QString itemText;
    bool select = false;

    bool operator==(const FileItemInfo &other) const
    {
        return itemType == other.itemType && itemText == other.itemText;
    }
};

// The file browser of one storage (the USB stick or local storage): folders
// and print files a page at a time, opening a file's preview with a short
// touch, and after a long touch a select bar to copy the chosen files to the
// other storage or to delete them.
class ShowDisk : public QDialog {
    Q_OBJECT
public:
    static ShowDisk *instShowDisk;

    explicit ShowDisk(ShowFilesFromWhere from, QWidget *parent = nullptr);
    ~ShowDisk() override;

    // The thumbnail of a headed print file scaled into width x height; null
    // when it has none.
    static QPixmap getPixmap(QString path, int width, int height);

    QString currentFolder() const { return mFilePath; }
    bool isSelectMode() const { return mTriggerSelect; }
    bool isCopying() const { return m_copy.isRunning(); }

public slots:
    void slot_usbRemove();
    void itemDoClicked(FileItemInfo itemInfo);
    void slot_triggerSelect();
    // Lists the storage's root again (after the preview changed the storage).
    void slot_showmemorylist();
    void delayClose();

private slots:
    void on_up_clicked();
    void on_down_clicked();
    void on_back_clicked();
    void on_btn_selectAll_clicked();
    void on_btn_copy_clicked();
    void on_btn_delete_clicked();
    void slot_showCopyProgress();
    void slot_copyFinished(VerifiedCopy::Result result, int index);
    void slot_thumbnailLoaded(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void getDiskFileList(const QString &path);
    void getShowList(int page, int rows);
    void showList();
    void showRowIcon(int row);
    int rowsPerPage() const { return mTriggerSelect ? 5 : 7; }
    int pageCount(int rows) const;
    void toggleSelection(int row);
    QString pathOf(const QString &name) const { return mFilePath + '/' + name; }
    void copySuccessful();
    void copyFail(int code);

    QString mFilePath;
    Ui::ShowDisk *ui;
    ShowFilesFromWhere mFromWhere;
    QString mSearchPath;
    int mCurrenPage = 0;
    QList<FileItemInfo> mAllItemList;
    QList<FileItemInfo> mAllFileList;
    QList<FileItemInfo> mShowItemList;
    QList<FileItemInfo> mSelectedItemList;
    QStringList mSelectFilePath;
    QStringList mAllFilePath;
    QList<ShowDiskItem *> mItemsList;
    QList<QFrame *> mLinesList;
    bool mTriggerSelect = false;
    bool isShowSelect = false;
    QTimer mTimer;

    QHash<QString, ThumbnailCache::Version> mFileVersions; // the print files of the folder, by name
    ThumbnailCache *mThumbnails;
    CopyJob m_copy;
    QTimer m_copyProgressTimer;
    bool m_stickLost = false; // the stick went while the copy ran
};
