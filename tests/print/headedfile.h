#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <cstring>

// Test files in the slicer's headed format.
struct HeaderFields {
    quint32 imgStart0 = 0;
    quint32 imgStart1 = 0;
    quint32 gcodeStart = 0;
    quint32 timeUsed = 0;
    quint32 materialUsed = 0;
};

// A picture of one colour, as the slicer stores thumbnails.
inline QByteArray pngOf(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// 60 header bytes; the magic holds no line feed so that tests control where
// the file's first lines end.
inline QByteArray headerBytes(const HeaderFields &fields)
{
    uchar raw[60] = {};
    memcpy(raw, "slicer-gx-magic!", 16);
    qToLittleEndian(fields.imgStart0, raw + 16);
    qToLittleEndian(fields.imgStart1, raw + 20);
    qToLittleEndian(fields.gcodeStart, raw + 24);
    qToLittleEndian(fields.timeUsed, raw + 28);
    qToLittleEndian(fields.materialUsed, raw + 32);
    return QByteArray(reinterpret_cast<const char *>(raw), sizeof raw);
}

inline bool writeTestFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
