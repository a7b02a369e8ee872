#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

// Copying a print file between the USB stick and local storage so that the
// target either holds a byte-exact copy or is left as it was.
//
// The data goes into a hidden temporary file in the target's folder, is
// flushed to the medium, dropped from the page cache and read back from the
// medium, compared by MD5 with what was read from the source (in the same
// pass that copied it), and only then renamed over the target. On failure or
// cancel only the temporary file is removed: an existing file of the target's
// name is never damaged and no partial file is ever visible under that name.
namespace VerifiedCopy {

enum class Result {
    Done,
    Cancelled,
    SourceFailed, // the source cannot be opened or read
    TargetFailed, // the temporary file cannot be made, written, flushed or renamed
    Mismatch,     // the data read back differs from the source (or no digest)
};

// Shared between the copying thread and whoever watches it.
struct Progress {
    std::atomic<qint64> copied{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> verifying{false};
    std::atomic<bool> cancel{false}; // set by the watcher; checked every block
};

Result copyFile(const QString &source, const QString &target, Progress *progress = nullptr);

// Removes the temporary files that copies killed midway left in `folder`.
void removeLeftovers(const QString &folder);

// Tests only: sees (and may change) every block before it is written, to
// stand in for a medium that stores something else than it was given.
using BlockFilter = std::function<void(char *data, qint64 size)>;
void setBlockFilterForTesting(BlockFilter filter);

// Tests only: called for each range of the temporary file once it has been
// flushed and dropped from the page cache, right before it is read back, to
// stand in for a medium that does not keep what it stored.
using ReadBackHook = std::function<void(const QByteArray &tempPath, qint64 offset, qint64 length)>;
void setReadBackHookForTesting(ReadBackHook hook);

} // namespace VerifiedCopy
