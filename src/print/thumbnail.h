#pragma once

#include "printfileheader.h"

#include <QImage>
#include <QPixmap>
#include <QString>

// Where a headed print file keeps the thumbnail that the pages show.
struct ThumbnailSlot {
    qint64 start = 0;
    qint64 length = 0;
    bool isValid() const { return length > 0; }
};

// The header names up to two image slots; the second one wins unless it is
// empty (gcodeStart == imgStart1). The slot is valid only when it lies
// behind the header and inside the file; there is no fall-back to the first
// slot when the second one is broken.
ThumbnailSlot thumbnailSlot(const GXFileHeader &header, qint64 fileSize);

// The thumbnail of a headed print file scaled into width x height keeping
// its aspect ratio. Thumbnails are PNG of at most 4096 pixels a side that
// decode into at most 4 MB: any other format or a larger image is refused
// before it is decoded. A null pixmap when the file has no usable thumbnail.
QPixmap printFileThumbnail(const QString &path, int width, int height);

// The same as an image: safe on any thread, so that lists can read their
// thumbnails off the GUI thread and turn them into pixmaps there.
QImage printFileThumbnailImage(const QString &path, int width, int height);

// The generic print-file picture scaled into width x height.
QPixmap defaultPrintFilePicture(int width, int height);

// What a file row or the preview shows: the thumbnail of a file the pages
// treat as headed, else (or when it has none) the generic picture.
QPixmap printFileThumbnailOrDefault(const QString &path, int width, int height);
