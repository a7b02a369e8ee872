#include "thumbnail.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace {

// The slicer writes thumbnails of a few kilobytes. These limits keep a broken
// or hostile header from making the pages read or decode huge amounts.
constexpr qint64 kMaxImageBytes = 1024 * 1024;
constexpr int kMaxImageSide = 4096;

const char kDefaultPicture[] = ":/Resource/icon/G_File.png";

QImage decodeImage(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer); // format recognised from the data
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxImageSide || size.height() > kMaxImageSide)
        return QImage();
    return reader.read();
}

QImage scaledImage(const QImage &image, int width, int height)
{
    if (image.isNull())
        return QImage();
    return image.scaled(width, height, Qt::KeepAspectRatio, Qt::FastTransformation);
}

QPixmap scaledInto(const QImage &image, int width, int height)
{
    return QPixmap::fromImage(scaledImage(image, width, height));
}

} // namespace

ThumbnailSlot thumbnailSlot(const GXFileHeader &header, qint64 fileSize)
{
    const bool secondSlotEmpty = header.gcodeStart == header.imgStart1;
    const qint64 start = secondSlotEmpty ? header.imgStart0 : header.imgStart1;
    const qint64 end = secondSlotEmpty ? header.imgStart1 : header.gcodeStart;
    ThumbnailSlot slot;
    if (start >= qint64(sizeof(GXFileHeader)) && start < end && end <= fileSize) {
        slot.start = start;
        slot.length = end - start;
    }
    return slot;
}

QImage printFileThumbnailImage(const QString &path, int width, int height)
{
    GXFileHeader header;
    if (!PrintFileHeader::read(path, header))
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const ThumbnailSlot slot = thumbnailSlot(header, file.size());
    if (!slot.isValid() || slot.length > kMaxImageBytes || !file.seek(slot.start))
        return QImage();
    return scaledImage(decodeImage(file.read(slot.length)), width, height);
}

QPixmap printFileThumbnail(const QString &path, int width, int height)
{
    const QImage image = printFileThumbnailImage(path, width, height);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QPixmap defaultPrintFilePicture(int width, int height)
{
    return scaledInto(QImage(QString::fromLatin1(kDefaultPicture)), width, height);
}

QPixmap printFileThumbnailOrDefault(const QString &path, int width, int height)
{
    if (PrintFileHeader::isHeadedForPages(path)) {
        const QPixmap thumbnail = printFileThumbnail(path, width, height);
        if (!thumbnail.isNull())
            return thumbnail;
    }
    return defaultPrintFilePicture(width, height);
}
