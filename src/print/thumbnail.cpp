#include "thumbnail.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace {

// The slicer writes thumbnails of a few kilobytes. These limits keep a broken
// or hostile header from making the pages read or decode huge amounts: a
// small PNG may declare a picture of 4096 x 4096 with 64-bit pixels, which
// would decode into 128 MB.
constexpr qint64 kMaxImageBytes = 1024 * 1024;
constexpr int kMaxImageSide = 4096;
constexpr qint64 kMaxDecodedBytes = 4 * 1024 * 1024;

const char kDefaultPicture[] = ":/Resource/icon/G_File.png";

// The size a PNG declares in its header chunk; invalid for anything else.
// Read from the bytes themselves: an image reader may report a small size
// for a file that then decodes to a huge one (GIF, ICO) or renders anything
// it is told to (SVG).
QSize pngSize(const QByteArray &bytes)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 24 || !bytes.startsWith(signature) || bytes.mid(12, 4) != "IHDR")
        return QSize();
    const auto bigEndian = [&bytes](int at) {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
        return value;
    };
    const quint32 width = bigEndian(16), height = bigEndian(20);
    if (width == 0 || height == 0 || width > quint32(kMaxImageSide) || height > quint32(kMaxImageSide))
        return QSize();
    return QSize(int(width), int(height));
}

// What the decoded picture would take, from the reader's look at the
// header: the pixel format follows the PNG's bit depth and colour type.
qint64 decodedBytes(const QSize &size, QImage::Format format)
{
    if (format == QImage::Format_Invalid)
        return -1;
    const qint64 bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 bytesPerLine = (qint64(size.width()) * bitsPerPixel + 31) / 32 * 4;
    return bytesPerLine * size.height();
}

QImage decodeImage(QByteArray bytes)
{
    const QSize size = pngSize(bytes);
    if (!size.isValid())
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    const qint64 cost = decodedBytes(size, reader.imageFormat());
    if (reader.size() != size || cost < 0 || cost > kMaxDecodedBytes)
        return QImage();
    const QImage image = reader.read();
    return image.size() == size ? image : QImage();
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
