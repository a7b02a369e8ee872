#include "verifiedcopy.h"

#include "verifiedcopyreadback.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace VerifiedCopy {

namespace {

// The copy hands its data to the medium (and to the read-back) in pieces of
// this size.
constexpr qint64 kWriteOutSize = 4 * 1024 * 1024;

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

// Copies the source into the temporary file, taking the source's digest on
// the way, while `readBack` verifies what has reached the medium.
Result copyData(int sourceFd, int tempFd, Progress *progress, QByteArray &sourceDigest, ReadBack &readBack)
{
    BlockHasher sourceHash;
    const BlockFilter filter = currentFilter();
    std::vector<char> filtered;
    qint64 copied = 0;
    qint64 writtenOut = 0;
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
        if (copied - writtenOut >= kWriteOutSize) {
            // Starts writing these bytes out now, so that the medium works
            // while the copy goes on and the final flush finds little to do.
            ::sync_file_range(tempFd, writtenOut, copied - writtenOut, SYNC_FILE_RANGE_WRITE);
            writtenOut = copied;
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
