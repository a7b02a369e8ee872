#pragma once

#include "copyjob.h"
#include "thumbnailcache.h"

#include <QString>
#include <QTimer>
#include <QWidget>

namespace Ui {
class BuildPreview;
}

// One print file before it is printed: its thumbnail, name and the slicer's
// estimates, with Build (a file on the USB stick is first copied into /data
// and verified, then printed from there), Copy to the other storage and
// Delete.
class BuildPreview : public QWidget {
    Q_OBJECT
public:
    static BuildPreview *instBuildPreview;

    explicit BuildPreview(QString path, QWidget *parent = nullptr);
    ~BuildPreview() override;

    QString getFileName() const { return mFileName; }
    QString getDstCopyFilePathName() const { return dstCopyFilePathName; }

signals:
    // The file was deleted: the browser lists its storage again.
    void sig_updateDisk();

private slots:
    void on_btn_back_clicked();
    void on_btn_back_pressed();
    void on_btn_back_released();
    void on_btn_copy_clicked();
    void on_btn_build_clicked();
    void on_btn_delete_clicked();
    void slot_showCopyProgress();
    void slot_usbUnmount();
    void slot_usbMount();
    void slot_copyFinished(VerifiedCopy::Result result, int index);

private:
    enum class Task { None, Copy, Build };

    void copyButtonShow();
    void getFileParam();
    void oneButtonDialogShow(const QString &text);
    void startBuildCopy();
    void buildCopyFinished(VerifiedCopy::Result result);
    void copyFinished(VerifiedCopy::Result result);
    QString shortName() const;

    Ui::BuildPreview *ui;
    QString mFileName;
    bool isGxFile = false;
    quint32 mBuildTime = 0;
    quint32 mBuildFilament = 0;
    quint16 mBuildSpeed = 0;
    quint16 mBuildLayerHeight = 0;
    QTimer copyFileProgressTimer;
    bool isUPanPath = false;
    qint64 allCopyBytes = 0;
    QString dstBuildFilePathName;
    QString dstCopyFilePathName;

    CopyJob m_job;
    // The thumbnail is decoded off the GUI thread; the generic picture
    // stands in until it is there.
    ThumbnailCache m_thumbnail{QSize(124, 124)};
    Task m_task = Task::None;
    int m_buildTries = 0;
};
