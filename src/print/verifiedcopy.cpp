#include "verifiedcopy.h"

#include <QByteArray>
#include <QCryptographicHash>
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

constexpr qint64 kBlockSize = 256 * 1024;

QMutex filterMutex;
BlockFilter blockFilter;

BlockFilter currentFilter()
{
    QMutexLocker lock(&filterMutex);
    return blockFilter;
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

// The MD5 of a whole file, empty on a read error or cancel.
QByteArray md5OfFile(const QString &path, Progress *progress)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Md5);
    std::vector<char> buffer(kBlockSize);
    qint64 n = 0;
    while ((n = readBlock(fd, buffer.data(), kBlockSize)) > 0 && !cancelled(progress))
        hash.addData(buffer.data(), int(n));
    ::close(fd);
    if (n < 0 || cancelled(progress))
        return QByteArray();
    return hash.result();
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

Result copyData(int sourceFd, int tempFd, Progress *progress, QByteArray &sourceDigest)
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    const BlockFilter filter = currentFilter();
    std::vector<char> buffer(kBlockSize);
    qint64 copied = 0;
    for (;;) {
        const qint64 n = readBlock(sourceFd, buffer.data(), kBlockSize);
        if (n < 0) {
            qWarning("verifiedcopy: read failed: %s", std::strerror(errno));
            return Result::SourceFailed;
        }
        if (n == 0)
            break;
        hash.addData(buffer.data(), int(n));
        if (filter)
            filter(buffer.data(), n);
        if (!writeBlock(tempFd, buffer.data(), n)) {
            qWarning("verifiedcopy: write failed: %s", std::strerror(errno));
            return Result::TargetFailed;
        }
        copied += n;
        if (progress)
            progress->copied = copied;
        if (cancelled(progress))
            return Result::Cancelled;
        if (n < kBlockSize)
            break;
    }
    if (::fsync(tempFd) != 0) {
        qWarning("verifiedcopy: flush failed: %s", std::strerror(errno));
        return Result::TargetFailed;
    }
    sourceDigest = hash.result();
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
    Result result = copyData(sourceFd, tempFd, progress, sourceDigest);
    ::close(sourceFd);
    if (::close(tempFd) != 0 && result == Result::Done)
        result = Result::TargetFailed;

    if (result == Result::Done) {
        if (progress)
            progress->verifying = true;
        const QByteArray targetDigest = md5OfFile(QFile::decodeName(tempPath), progress);
        if (cancelled(progress))
            result = Result::Cancelled;
        else if (sourceDigest.isEmpty() || targetDigest != sourceDigest) {
            qWarning("verifiedcopy: %s does not match its source", qPrintable(target));
            result = Result::Mismatch;
        }
    }
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
    QMutexLocker lock(&filterMutex);
    blockFilter = std::move(filter);
}

void removeLeftovers(const QString &folder)
{
    QDir dir(folder);
    const QString pattern = QStringLiteral(".*") + QLatin1String(kTemporarySuffix) + QStringLiteral("??????");
    for (const QString &name : dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
}

} // namespace VerifiedCopy
