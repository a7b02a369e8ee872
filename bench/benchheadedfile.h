#pragma once

// A print file with the 60-byte header and a 96 x 96 thumbnail whose colour
// follows `index`, followed by `gcode`, for the file-page benchmarks.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QtEndian>

#include <cstring>

inline QByteArray benchHeadedFile(int index, const QByteArray &gcode)
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
    return QByteArray(reinterpret_cast<const char *>(header), 60) + png + gcode;
}
