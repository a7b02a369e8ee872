#include "verifiedcopyreadback.h"

#include <QCryptographicHash>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace VerifiedCopy {

namespace {

// The copy is read back in ranges of this size while later ranges are being
// written.
constexpr qint64 kRangeSize = 4 * 1024 * 1024;
// A range is read back once the copy has written this much beyond it: its
// write to the medium, started when it was complete, has had time to finish
// and the read-back need not wait for it.
constexpr qint64 kWriteLead = 4 * 1024 * 1024;
// Blocks read but not yet hashed, at most.
constexpr int kLentBlocks = 8;

} // namespace

BlockHasher::BlockHasher() : m_blocks(kLentBlocks, std::vector<char>(size_t(kBlockSize)))
{
    for (int i = 0; i < kLentBlocks; ++i)
        m_free.push_back(i);
    m_thread = std::thread(&BlockHasher::run, this);
}

BlockHasher::~BlockHasher()
{
    finish();
}

int BlockHasher::take()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_free.empty(); });
    const int block = m_free.front();
    m_free.pop_front();
    return block;
}

void BlockHasher::add(int block, qint64 size)
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

QByteArray BlockHasher::finish()
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

void BlockHasher::run()
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

ReadBack::ReadBack(int fd, const QByteArray &path, const Progress *progress, ReadBackHook hook)
    : m_fd(fd), m_path(path), m_progress(progress), m_hook(std::move(hook)), m_thread(&ReadBack::run, this)
{
}

ReadBack::~ReadBack()
{
    abort();
}

void ReadBack::written(qint64 bytes)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_written = bytes;
    }
    m_wake.notify_one();
}

QByteArray ReadBack::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_allWritten = true;
    }
    m_wake.notify_one();
    join();
    return m_digest;
}

void ReadBack::abort()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_aborted = true;
    }
    m_wake.notify_one();
    join();
}

void ReadBack::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

// The next range to read back: [offset, end); false when there is none (all
// read, or aborted).
bool ReadBack::nextRange(qint64 offset, qint64 &end, bool &flushed)
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
bool ReadBack::writtenRange(qint64 offset, qint64 &end, bool &flushed)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_written - offset < kRangeSize + kWriteLead && !(m_allWritten && m_written > offset))
        return false;
    end = qMin(offset + kRangeSize, m_written);
    flushed = m_allWritten;
    return true;
}

// Waits for the range to reach the medium (where the file system cannot
// flush a range, the whole file is flushed), drops it from the page cache
// and has it fetched from the medium in the background.
bool ReadBack::prepare(qint64 offset, qint64 end, bool flushed)
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

bool ReadBack::readRange(qint64 offset, qint64 end, BlockHasher &hasher)
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

void ReadBack::run()
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
        // The next range is flushed and on its way in while this one is read.
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

} // namespace VerifiedCopy
