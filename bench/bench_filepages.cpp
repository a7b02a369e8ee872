// File pages: a verified copy against cp + md5sum, and how soon the first
// page of a big folder of headed files has its thumbnails.
#include "cfilemanager.h"
#include "thumbnailcache.h"
#include "verifiedcopy.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QVector>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstring>

namespace {

constexpr qint64 kCopyBytes = 200LL * 1024 * 1024;
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

double mbPerSecond(qint64 ms)
{
    return double(kCopyBytes) / (1024.0 * 1024.0) / (qMax<qint64>(ms, 1) / 1000.0);
}

void benchCopy(const QString &dir)
{
    const QString source = dir + "/source.gcode";
    if (!makeBigFile(source)) {
        std::printf("cannot write the 200 MB test file\n");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    const VerifiedCopy::Result result = VerifiedCopy::copyFile(source, dir + "/verified.gcode");
    const qint64 verifiedMs = timer.elapsed();
    std::printf("verified copy of 200 MB (copy, fsync, read back, MD5): %lld ms, %.1f MB/s%s\n",
                static_cast<long long>(verifiedMs), mbPerSecond(verifiedMs),
                result == VerifiedCopy::Result::Done ? "" : " (FAILED)");

    timer.restart();
    const int cp = QProcess::execute("cp", {source, dir + "/cp.gcode"});
    const int sync = QProcess::execute("sync", {});
    QProcess md5sum;
    md5sum.setStandardOutputFile(QProcess::nullDevice());
    md5sum.start("md5sum", {source, dir + "/cp.gcode"});
    const int md5 = md5sum.waitForFinished(-1) && md5sum.exitStatus() == QProcess::NormalExit ? md5sum.exitCode() : -1;
    const qint64 toolsMs = timer.elapsed();
    std::printf("cp + sync + md5sum of both files: %lld ms, %.1f MB/s%s\n", static_cast<long long>(toolsMs),
                mbPerSecond(toolsMs), cp == 0 && sync == 0 && md5 == 0 ? "" : " (a tool failed)");
}

QByteArray headedFile(int index)
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(index % 360, 200, 200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    uchar header[60] = {};
    std::memcpy(header, "bench-gx-header!", 16);
    qToLittleEndian<quint32>(60, header + 16);
    qToLittleEndian<quint32>(60 + png.size(), header + 20);
    qToLittleEndian<quint32>(60 + png.size(), header + 24);
    return QByteArray(reinterpret_cast<const char *>(header), 60) + png + QByteArray(20000, ';');
}

// What the browser does before its first page is complete: list the folder
// the way it does (folders, then each print suffix) and read the thumbnails
// of the rows shown.
void benchFirstPage(const QString &dir)
{
    for (int i = 0; i < kFolderFiles; ++i) {
        QFile file(QString("%1/part%2.gx").arg(dir).arg(i, 4, 10, QChar('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(headedFile(i)) < 0) {
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
