#include "verifiedcopy.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace VerifiedCopy {

namespace {

constexpr qint64 kBlockSize = 256 * 1024;

// The copy is read back in ranges of this size while later ranges are being
// written.
constexpr qint64 kRangeSize = 4 * 1024 * 1024;
// A range is read back once the copy has written this much beyond it: its
// write to the medium, started when it was complete, has had time to finish
// and the read-back need not wait for it.
constexpr qint64 kWriteLead = 4 * 1024 * 1024;
// Blocks read but not yet hashed, at most.
constexpr int kLentBlocks = 16;

QMutex hookMutex;
BlockFilter blockFilter;
ReadBackHook readBackHook;

BlockFilter currentFilter()
{
    QMutexLocker lock(&hookMutex);
    return blockFilter;
}

ReadBackHook currentReadBackHook()
{
    QMutexLocker lock(&hookMutex);
    return readBackHook;
}

// Reads until the block is full or the file ends; an interrupted read is
// repeated. -1 on a read error.
qint64 readBlock(int fd, char *buffer, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size_t(size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

bool writeBlock(int fd, const char *buffer, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, buffer + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool cancelled(const Progress *progress)
{
    return progress && progress->cancel.load();
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A hidden name in the target's folder: the file lists leave out dot files,
// and a rename within one folder (one file system) is atomic.
const char kTemporarySuffix[] = ".copy-";

int makeTemporaryFile(const QString &target, QByteArray &tempPath)
{
    const QFileInfo info(target);
    tempPath = QFile::encodeName(info.absolutePath() + "/." + info.fileName() + kTemporarySuffix + "XXXXXX");
    const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
    if (fd >= 0)
        ::fchmod(fd, 0664);
    return fd;
}

// Takes the MD5 of a stream of blocks on a thread of its own, so that the
// thread reading them does not wait for the hashing: the copy for the
// source's digest, the read-back for the copy's. The reader reads into
// blocks lent from a small pool; a block comes back once it is hashed.
class BlockHasher {
public:
    BlockHasher() : m_blocks(kLentBlocks, std::vector<char>(size_t(kBlockSize)))
    {
        for (int i = 0; i < kLentBlocks; ++i)
            m_free.push_back(i);
        m_thread = std::thread(&BlockHasher::run, this);
    }
    ~BlockHasher() { finish(); }

    // A free block to read into; waits while every block is being hashed.
    int take()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_free.empty(); });
        const int block = m_free.front();
        m_free.pop_front();
        return block;
    }
    char *data(int block) { return m_blocks[size_t(block)].data(); }

    // Hands the block's first `size` bytes to the hashing (size 0 gives the
    // block back unhashed). The caller may still read the block, but not
    // change it.
    void add(int block, qint64 size)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (size > 0)
                m_queue.push_back({block, size});
            else
                m_free.push_back(block);
        }
        m_wake.notify_all();
    }

    // The digest of everything added.
    QByteArray finish()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        return m_digest;
    }

private:
    void run()
    {
        QCryptographicHash hash(QCryptographicHash::Md5);
        for (;;) {
            std::pair<int, qint64> next;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return !m_queue.empty() || m_finished; });
                if (m_queue.empty())
                    break;
                next = m_queue.front();
                m_queue.pop_front();
            }
            hash.addData(data(next.first), int(next.second));
            add(next.first, 0);
        }
        m_digest = hash.result();
    }

    std::vector<std::vector<char>> m_blocks;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<int> m_free;
    std::deque<std::pair<int, qint64>> m_queue;
    bool m_finished = false;
    QByteArray m_digest;
    std::thread m_thread;
};

// Reads the temporary file back from the medium while the copy goes on: each
// range that the copy has written is flushed, dropped from the page cache and
// read again, so that the digest is of what the medium holds and not of what
// the cache remembers. Running beside the copy (and hashing beside its own
// reading), it overlaps the copy instead of doubling the time.
class ReadBack {
public:
    ReadBack(int fd, const QByteArray &path, const Progress *progress, ReadBackHook hook)
        : m_fd(fd), m_path(path), m_progress(progress), m_hook(std::move(hook)), m_thread(&ReadBack::run, this)
    {
    }
    ~ReadBack() { abort(); }

    // The copy has written this many bytes.
    void written(qint64 bytes)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_written = bytes;
        }
        m_wake.notify_one();
    }

    // Everything is written and flushed: read the rest and give the digest,
    // empty when a read failed or the copy was cancelled.
    QByteArray finish()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_allWritten = true;
        }
        m_wake.notify_one();
        join();
        return m_digest;
    }

    void abort()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_aborted = true;
        }
        m_wake.notify_one();
        join();
    }

private:
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    // The next range to read back: [offset, end); false when there is none
    // (all read, or aborted).
    bool nextRange(qint64 offset, qint64 &end, bool &flushed)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait(lock, [&] { return m_aborted || m_allWritten || m_written - offset >= kRangeSize + kWriteLead; });
        if (m_aborted || (m_allWritten && offset >= m_written))
            return false;
        end = qMin(offset + kRangeSize, m_written);
        flushed = m_allWritten; // the copy has flushed the whole file itself
        return true;
    }

    // The range after `offset` when the copy has written it already; the same
    // that nextRange() will give for it.
    bool writtenRange(qint64 offset, qint64 &end, bool &flushed)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_written - offset < kRangeSize + kWriteLead && !(m_allWritten && m_written > offset))
            return false;
        end = qMin(offset + kRangeSize, m_written);
        flushed = m_allWritten;
        return true;
    }

    // Waits for the range to reach the medium (where the file system cannot
    // flush a range, the whole file is flushed), drops it from the page
    // cache and has it fetched from the medium in the background.
    bool prepare(qint64 offset, qint64 end, bool flushed)
    {
        if (!flushed
            && ::sync_file_range(m_fd, offset, end - offset,
                                 SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER)
                   != 0
            && ::fdatasync(m_fd) != 0) {
            qWarning("verifiedcopy: flush failed: %s", std::strerror(errno));
            return false;
        }
        ::posix_fadvise(m_fd, offset, end - offset, POSIX_FADV_DONTNEED);
        if (m_hook)
            m_hook(m_path, offset, end - offset);
        ::posix_fadvise(m_fd, offset, end - offset, POSIX_FADV_WILLNEED);
        return true;
    }

    bool readRange(qint64 offset, qint64 end, BlockHasher &hasher)
    {
        while (offset < end) {
            if (cancelled(m_progress))
                return false;
            const int block = hasher.take();
            ssize_t n = 0;
            do
                n = ::pread(m_fd, hasher.data(block), size_t(qMin<qint64>(kBlockSize, end - offset)), offset);
            while (n < 0 && errno == EINTR);
            hasher.add(block, qMax<ssize_t>(n, 0));
            if (n <= 0) {
                qWarning("verifiedcopy: reading back failed: %s", n < 0 ? std::strerror(errno) : "file too short");
                return false;
            }
            offset += n;
        }
        return true;
    }

    void run()
    {
        BlockHasher hasher;
        qint64 offset = 0;
        qint64 end = 0;
        bool flushed = false;
        qint64 prepared = 0; // the ranges before this are on their way in
        while (nextRange(offset, end, flushed)) {
            if (prepared < end) {
                if (!prepare(offset, end, flushed))
                    return;
                prepared = end;
            }
            // The next range comes in from the medium while this one is
            // hashed.
            qint64 nextEnd = 0;
            bool nextFlushed = false;
            if (prepared == end && writtenRange(end, nextEnd, nextFlushed)) {
                if (!prepare(end, nextEnd, nextFlushed))
                    return;
                prepared = nextEnd;
            }
            if (!readRange(offset, end, hasher))
                return;
            offset = end;
        }
        const QByteArray digest = hasher.finish();
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_aborted)
            m_digest = digest;
    }

    const int m_fd;
    const QByteArray m_path;
    const Progress *const m_progress;
    const ReadBackHook m_hook;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    qint64 m_written = 0;
    bool m_allWritten = false;
    bool m_aborted = false;
    QByteArray m_digest;
    std::thread m_thread; // last: starts once everything above is set up
};

// Copies the source into the temporary file, taking the source's digest on
// the way, while `readBack` verifies what has reached the medium.
Result copyData(int sourceFd, int tempFd, Progress *progress, QByteArray &sourceDigest, ReadBack &readBack)
{
    BlockHasher sourceHash;
    const BlockFilter filter = currentFilter();
    std::vector<char> filtered;
    qint64 copied = 0;
    qint64 rangeStart = 0;
    for (;;) {
        const int block = sourceHash.take();
        const qint64 n = readBlock(sourceFd, sourceHash.data(block), kBlockSize);
        sourceHash.add(block, qMax<qint64>(n, 0));
        if (n < 0) {
            qWarning("verifiedcopy: read failed: %s", std::strerror(errno));
            return Result::SourceFailed;
        }
        if (n == 0)
            break;
        const char *out = sourceHash.data(block);
        if (filter) {
            // The hashing still reads the block: the filter gets a copy.
            filtered.assign(out, out + n);
            filter(filtered.data(), n);
            out = filtered.data();
        }
        if (!writeBlock(tempFd, out, n)) {
            qWarning("verifiedcopy: write failed: %s", std::strerror(errno));
            return Result::TargetFailed;
        }
        copied += n;
        if (progress)
            progress->copied = copied;
        if (cancelled(progress))
            return Result::Cancelled;
        if (copied - rangeStart >= kRangeSize) {
            // Starts writing the range out now, so that the medium works
            // while the copy goes on and the final flush finds little to do.
            ::sync_file_range(tempFd, rangeStart, copied - rangeStart, SYNC_FILE_RANGE_WRITE);
            rangeStart = copied;
            readBack.written(copied);
        }
        if (n < kBlockSize)
            break;
    }
    if (::fdatasync(tempFd) != 0) {
        qWarning("verifiedcopy: flush failed: %s", std::strerror(errno));
        return Result::TargetFailed;
    }
    readBack.written(copied);
    sourceDigest = sourceHash.finish();
    return Result::Done;
}

} // namespace

Result copyFile(const QString &source, const QString &target, Progress *progress)
{
    if (progress) {
        progress->copied = 0;
        progress->total = 0;
        progress->verifying = false;
    }
    const int sourceFd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    struct stat sourceStat;
    if (sourceFd < 0 || ::fstat(sourceFd, &sourceStat) != 0) {
        qWarning("verifiedcopy: cannot open %s", qPrintable(source));
        if (sourceFd >= 0)
            ::close(sourceFd);
        return Result::SourceFailed;
    }
    if (progress)
        progress->total = qint64(sourceStat.st_size);

    QByteArray tempPath;
    const int tempFd = makeTemporaryFile(target, tempPath);
    if (tempFd < 0) {
        qWarning("verifiedcopy: cannot create a file beside %s: %s", qPrintable(target), std::strerror(errno));
        ::close(sourceFd);
        return Result::TargetFailed;
    }

    QByteArray sourceDigest;
    Result result = Result::Done;
    {
        ReadBack readBack(tempFd, tempPath, progress, currentReadBackHook());
        result = copyData(sourceFd, tempFd, progress, sourceDigest, readBack);
        if (result == Result::Done) {
            if (progress)
                progress->verifying = true;
            const QByteArray targetDigest = readBack.finish();
            if (cancelled(progress)) {
                result = Result::Cancelled;
            } else if (sourceDigest.isEmpty() || targetDigest != sourceDigest) {
                qWarning("verifiedcopy: %s does not match its source", qPrintable(target));
                result = Result::Mismatch;
            }
        }
    }
    ::close(sourceFd);
    if (::close(tempFd) != 0 && result == Result::Done)
        result = Result::TargetFailed;
    if (result == Result::Done && ::rename(tempPath.constData(), QFile::encodeName(target).constData()) != 0) {
        qWarning("verifiedcopy: cannot rename onto %s: %s", qPrintable(target), std::strerror(errno));
        result = Result::TargetFailed;
    }
    if (result != Result::Done)
        ::unlink(tempPath.constData());
    syncFolder(QFileInfo(target).absolutePath());
    return result;
}

void setBlockFilterForTesting(BlockFilter filter)
{
    QMutexLocker lock(&hookMutex);
    blockFilter = std::move(filter);
}

void setReadBackHookForTesting(ReadBackHook hook)
{
    QMutexLocker lock(&hookMutex);
    readBackHook = std::move(hook);
}

void removeLeftovers(const QString &folder)
{
    QDir dir(folder);
    const QString pattern = QStringLiteral(".*") + QLatin1String(kTemporarySuffix) + QStringLiteral("??????");
    for (const QString &name : dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
}

} // namespace VerifiedCopy
