#pragma once

#include "verifiedcopy.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// The two digests of a verified copy, each taken on threads of its own
// beside the copy, so that verifying costs little more time than copying.
namespace VerifiedCopy {

// Files are read, written and hashed in blocks of this size.
constexpr qint64 kBlockSize = 256 * 1024;

inline bool cancelled(const Progress *progress)
{
    return progress && progress->cancel.load();
}

// Takes the MD5 of a stream of blocks on a thread of its own, so that the
// thread reading them does not wait for the hashing: the copy for the
// source's digest, the read-back for the copy's. The reader reads into
// blocks lent from a small pool; a block comes back once it is hashed.
class BlockHasher {
public:
    BlockHasher();
    ~BlockHasher();

    // A free block to read into; waits while every block is being hashed.
    int take();
    char *data(int block) { return m_blocks[size_t(block)].data(); }
    // Hands the block's first `size` bytes to the hashing (size 0 gives the
    // block back unhashed). The caller may still read the block, but not
    // change it.
    void add(int block, qint64 size);
    // The digest of everything added.
    QByteArray finish();

private:
    void run();

    std::vector<std::vector<char>> m_blocks;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<int> m_free;
    std::deque<std::pair<int, qint64>> m_queue;
    bool m_finished = false;
    QByteArray m_digest;
    std::thread m_thread;
};

// Reads the copy's temporary file back from the medium while the copy goes
// on: each range that the copy has written is flushed, dropped from the page
// cache and read again, so that the digest is of what the medium holds and
// not of what the cache remembers.
class ReadBack {
public:
    // `fd` is the temporary file at `path`, open for reading.
    ReadBack(int fd, const QByteArray &path, const Progress *progress, ReadBackHook hook);
    ~ReadBack();

    // The copy has written this many bytes.
    void written(qint64 bytes);
    // Everything is written and flushed: reads the rest and gives the
    // digest, empty when a read failed or the copy was cancelled.
    QByteArray finish();
    void abort();

private:
    void join();
    bool nextRange(qint64 offset, qint64 &end, bool &flushed);
    bool writtenRange(qint64 offset, qint64 &end, bool &flushed);
    bool prepare(qint64 offset, qint64 end, bool flushed);
    bool readRange(qint64 offset, qint64 end, BlockHasher &hasher);
    void run();

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

} // namespace VerifiedCopy
