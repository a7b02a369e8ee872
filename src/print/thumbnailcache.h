#pragma once

#include <QCache>
#include <QFileInfo>
#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QSize>

#include <memory>

// Thumbnails of a file list, read off the GUI thread so that a slow USB stick
// cannot freeze the screen, and kept per path and file version so that paging
// back and forth reads nothing twice. At most capacity() thumbnails are kept
// (the least recently shown go first): a folder of thousands of files costs
// no more memory than a few pages of it.
class ThumbnailCache : public QObject {
    Q_OBJECT
public:
    // What tells one content of a file from another: its time and size.
    struct Version {
        qint64 modifiedMs = -1;
        qint64 size = -1;
        bool operator==(const Version &other) const
        {
            return modifiedMs == other.modifiedMs && size == other.size;
        }
        bool operator!=(const Version &other) const { return !(*this == other); }
    };

    static constexpr int kDefaultCapacity = 64;

    explicit ThumbnailCache(const QSize &size, QObject *parent = nullptr, int capacity = kDefaultCapacity);
    // Returns at once: a read in progress is abandoned to its worker, which
    // drops its result and ends by itself.
    ~ThumbnailCache() override;

    // The thumbnail of the file at `path` in `version` when it is known:
    // `known` is then true and the pixmap null for a file without a usable
    // thumbnail. Otherwise the file is queued for reading and loaded()
    // follows.
    QPixmap lookup(const QString &path, const Version &version, bool *known);
    // The same for a file whose version is read from `file`.
    QPixmap lookup(const QFileInfo &file, bool *known);

    // Forgets the files queued but not yet being read (the rows they were
    // asked for are no longer shown).
    void dropQueued();

    int count() const { return m_entries.size(); }
    int capacity() const { return m_entries.maxCost(); }

signals:
    void loaded(const QString &path);

private:
    struct Entry {
        Version version;
        QPixmap pixmap;
    };
    class Reader;

    void store(const QString &path, const Version &version, const QImage &image);

    QCache<QString, Entry> m_entries;
    QHash<QString, Version> m_asked; // queued or being read
    std::shared_ptr<Reader> m_reader;
};
