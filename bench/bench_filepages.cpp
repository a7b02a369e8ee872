// File pages: a verified copy against cp with a flush and one uncached read
// of the copy, and how soon the first page of a big folder of headed files
// has its thumbnails.
#include "benchclock.h"
#include "benchheadedfile.h"
#include "cfilemanager.h"
#include "thumbnailcache.h"
#include "verifiedcopy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QVector>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kCopyBytes = 300LL * 1024 * 1024;
constexpr int kCopyRounds = 7;
constexpr int kFolderFiles = 2000;
constexpr int kRowsOnAPage = 7;

bool makeBigFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 31 + i / 977);
    for (qint64 written = 0; written < kCopyBytes; written += block.size()) {
        block[0] = char(written >> 20);
        if (file.write(block) != block.size())
            return false;
    }
    return true;
}

// Flushes a file and drops it from the page cache: the next read comes from
// the disk, as a file on a freshly plugged stick would.
bool flushAndDrop(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return ok;
}

// Reads a file to its end once, flushed and out of the page cache first.
bool readUncached(const QString &path)
{
    if (!flushAndDrop(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    qint64 n = 0;
    while ((n = file.read(block.data(), block.size())) > 0) {
    }
    return n == 0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The verified copy against the least any verified copy must do: cp, a flush
// of the copy and one read of it from the disk. Both start from a source out
// of the page cache, and take turns so that a busy machine slows both alike;
// the medians of the rounds are compared.
void benchCopy(const QString &dir)
{
    const QString source = dir + "/source.gcode";
    if (!makeBigFile(source)) {
        std::printf("cannot write the 300 MB test file\n");
        return;
    }
    QList<double> verifiedWall, verifiedCpu, toolsWall;
    bool ok = true;
    for (int round = 0; round < kCopyRounds; ++round) {
        ok = ok && flushAndDrop(source);
        BenchClock verified;
        ok = ok && VerifiedCopy::copyFile(source, dir + "/verified.gcode") == VerifiedCopy::Result::Done;
        verifiedWall << verified.wallSeconds();
        verifiedCpu << verified.cpuSeconds();

        ok = ok && flushAndDrop(source);
        BenchClock tools;
        ok = ok && QProcess::execute("cp", {source, dir + "/cp.gcode"}) == 0 && readUncached(dir + "/cp.gcode");
        toolsWall << tools.wallSeconds();
    }
    std::printf("verified copy of 300 MB (copy with MD5, flush, uncached read back with MD5): %.2f s, %.2f s CPU "
                "(median of %d)%s\n",
                median(verifiedWall), median(verifiedCpu), kCopyRounds, ok ? "" : " (FAILED)");
    std::printf("cp + flush + one uncached read of the copy: %.2f s\n", median(toolsWall));
    std::printf("verified copy's speed relative to that: %.2f (goal >= 0.80)\n", median(toolsWall) / median(verifiedWall));
}

// What the browser does before its first page is complete: list the folder
// the way it does (folders, then each print suffix) and read the thumbnails
// of the rows shown.
void benchFirstPage(const QString &dir)
{
    for (int i = 0; i < kFolderFiles; ++i) {
        QFile file(QString("%1/part%2.gx").arg(dir).arg(i, 4, 10, QChar('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(benchHeadedFile(i, QByteArray(20000, ';'))) < 0) {
            std::printf("cannot write the folder of headed files\n");
            return;
        }
    }
    QElapsedTimer timer;
    timer.start();
    QVector<CFileManager::ListedEntry> rows;
    for (const CFileManager::ListedEntry &entry : CFileManager::listForBrowser(dir, {"g", "gx", "gcode"}))
        if (!entry.isFolder)
            rows << entry;
    const qint64 listedMs = timer.elapsed();

    ThumbnailCache cache(QSize(28, 28));
    int pending = 0;
    QObject::connect(&cache, &ThumbnailCache::loaded, [&pending] { --pending; });
    for (int i = 0; i < kRowsOnAPage && i < rows.size(); ++i) {
        bool known = false;
        cache.lookup(dir + '/' + rows.at(i).name, ThumbnailCache::Version{rows.at(i).modifiedMs, rows.at(i).size},
                     &known);
        pending += known ? 0 : 1;
    }
    const qint64 shownMs = timer.elapsed();
    while (pending > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 thumbnailsMs = timer.elapsed();
    std::printf("folder of %d headed files: listed in %lld ms, first page shown after %lld ms, "
                "its thumbnails after %lld ms\n",
                rows.size(), static_cast<long long>(listedMs), static_cast<long long>(shownMs),
                static_cast<long long>(thumbnailsMs));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir copyDir;
    QTemporaryDir folder;
    if (!copyDir.isValid() || !folder.isValid())
        return 1;
    benchCopy(copyDir.path());
    benchFirstPage(folder.path());
    return 0;
}
