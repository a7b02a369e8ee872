#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QThreadPool>

// Thumbnails of a file list, read off the GUI thread so that a slow USB stick
// cannot freeze the screen, and kept per path, size and modification time so
// that paging back and forth reads nothing twice.
class ThumbnailCache : public QObject {
    Q_OBJECT
public:
    explicit ThumbnailCache(const QSize &size, QObject *parent = nullptr);
    ~ThumbnailCache() override;

    // The thumbnail of `file` when it is known: `known` is then true and the
    // pixmap null for a file without a usable thumbnail. Otherwise the file is
    // queued for reading and loaded() follows.
    QPixmap lookup(const QFileInfo &file, bool *known);

signals:
    void loaded(const QString &path);

private:
    struct Entry {
        QDateTime modified;
        qint64 size = -1;
        bool known = false;
        QPixmap pixmap;
    };

    void store(const QString &path, const QDateTime &modified, qint64 size, const QImage &image);

    QSize m_size;
    QHash<QString, Entry> m_entries;
    QThreadPool m_pool;
};
