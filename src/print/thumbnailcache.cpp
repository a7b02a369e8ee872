#include "thumbnailcache.h"

#include "thumbnail.h"

#include <QDateTime>
#include <QImage>
#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>

#include <deque>

// The queue of files to read and the one worker that reads them, shared by
// the cache and the worker: whichever goes last frees it. The cache going
// clears `owner` under the lock; the worker posts results only under the same
// lock, so nothing reaches a cache that is gone. The worker runs in Qt's
// global pool, which the application waits for when it ends.
class ThumbnailCache::Reader {
public:
    struct Request {
        QString path;
        Version version;
    };

    Reader(ThumbnailCache *owner, const QSize &size) : m_owner(owner), m_size(size) {}

    static void enqueue(const std::shared_ptr<Reader> &self, const Request &request)
    {
        QMutexLocker lock(&self->m_mutex);
        self->m_queue.push_back(request);
        if (self->m_running)
            return;
        self->m_running = true;
        // One reader at a time: a stick serves one request at a time anyway.
        QThreadPool::globalInstance()->start([self] { self->work(); });
    }

    // Returns the paths of the requests no longer queued.
    QList<QString> dropQueued()
    {
        QMutexLocker lock(&m_mutex);
        QList<QString> dropped;
        for (const Request &request : m_queue)
            dropped << request.path;
        m_queue.clear();
        return dropped;
    }

    void abandon()
    {
        QMutexLocker lock(&m_mutex);
        m_owner = nullptr;
        m_queue.clear();
    }

private:
    void work()
    {
        for (;;) {
            Request request;
            {
                QMutexLocker lock(&m_mutex);
                if (!m_owner || m_queue.empty()) {
                    m_running = false;
                    return;
                }
                request = m_queue.front();
                m_queue.pop_front();
            }
            const QImage image = printFileThumbnailImage(request.path, m_size.width(), m_size.height());
            QMutexLocker lock(&m_mutex);
            if (ThumbnailCache *owner = m_owner) {
                QMetaObject::invokeMethod(
                    owner, [owner, request, image] { owner->store(request.path, request.version, image); },
                    Qt::QueuedConnection);
            }
        }
    }

    QMutex m_mutex;
    ThumbnailCache *m_owner;
    const QSize m_size;
    std::deque<Request> m_queue;
    bool m_running = false;
};

ThumbnailCache::ThumbnailCache(const QSize &size, QObject *parent, int capacity)
    : QObject(parent), m_entries(capacity), m_reader(std::make_shared<Reader>(this, size))
{
}

ThumbnailCache::~ThumbnailCache()
{
    m_reader->abandon();
}

QPixmap ThumbnailCache::lookup(const QString &path, const Version &version, bool *known)
{
    if (const Entry *entry = m_entries.object(path)) {
        if (entry->version == version) {
            *known = true;
            return entry->pixmap;
        }
        m_entries.remove(path);
    }
    *known = false;
    const auto asked = m_asked.constFind(path);
    if (asked != m_asked.constEnd() && *asked == version)
        return QPixmap();
    m_asked.insert(path, version);
    Reader::enqueue(m_reader, Reader::Request{path, version});
    return QPixmap();
}

QPixmap ThumbnailCache::lookup(const QFileInfo &file, bool *known)
{
    return lookup(file.absoluteFilePath(), Version{file.lastModified().toMSecsSinceEpoch(), file.size()}, known);
}

void ThumbnailCache::dropQueued()
{
    for (const QString &path : m_reader->dropQueued())
        m_asked.remove(path);
}

void ThumbnailCache::store(const QString &path, const Version &version, const QImage &image)
{
    const auto asked = m_asked.find(path);
    // Dropped meanwhile, or the file changed while it was read: its newer
    // request is still pending.
    if (asked == m_asked.end() || *asked != version)
        return;
    m_asked.erase(asked);
    m_entries.insert(path, new Entry{version, image.isNull() ? QPixmap() : QPixmap::fromImage(image)});
    emit loaded(path);
}
