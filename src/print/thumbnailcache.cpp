#include "thumbnailcache.h"

#include "thumbnail.h"

#include <QImage>

ThumbnailCache::ThumbnailCache(const QSize &size, QObject *parent) : QObject(parent), m_size(size)
{
    // One reader: a stick serves one request at a time anyway.
    m_pool.setMaxThreadCount(1);
}

ThumbnailCache::~ThumbnailCache()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QPixmap ThumbnailCache::lookup(const QFileInfo &file, bool *known)
{
    const QString path = file.absoluteFilePath();
    const QDateTime modified = file.lastModified();
    const qint64 size = file.size();
    auto it = m_entries.find(path);
    if (it != m_entries.end() && it->modified == modified && it->size == size) {
        *known = it->known;
        return it->pixmap;
    }
    *known = false;
    Entry &entry = m_entries[path];
    entry.modified = modified;
    entry.size = size;
    entry.known = false;
    entry.pixmap = QPixmap();

    const QSize target = m_size;
    // The destructor waits for the pool, so `this` outlives every reader; a
    // result posted just before the cache went is dropped with it.
    m_pool.start([this, path, modified, size, target] {
        const QImage image = printFileThumbnailImage(path, target.width(), target.height());
        QMetaObject::invokeMethod(
            this, [this, path, modified, size, image] { store(path, modified, size, image); },
            Qt::QueuedConnection);
    });
    return QPixmap();
}

void ThumbnailCache::store(const QString &path, const QDateTime &modified, qint64 size, const QImage &image)
{
    auto it = m_entries.find(path);
    // The file changed while it was read: its newer request is still pending.
    if (it == m_entries.end() || it->modified != modified || it->size != size)
        return;
    it->known = true;
    it->pixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    emit loaded(path);
}
