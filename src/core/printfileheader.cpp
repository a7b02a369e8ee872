#include "printfileheader.h"

#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace PrintFileHeader {

bool read(const QString &path, GXFileHeader &header)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    unsigned char raw[sizeof(GXFileHeader)];
    size_t got = 0;
    while (got < sizeof raw) {
        const ssize_t n = ::read(fd, raw + got, sizeof raw - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got < sizeof raw)
        return false;
    GXFileHeader h;
    std::memcpy(&h, raw, sizeof h);
    h.imgStart0 = qFromLittleEndian(h.imgStart0);
    h.imgStart1 = qFromLittleEndian(h.imgStart1);
    h.gcodeStart = qFromLittleEndian(h.gcodeStart);
    h.timeUsed = qFromLittleEndian(h.timeUsed);
    h.materialUsed[0] = qFromLittleEndian(h.materialUsed[0]);
    h.materialUsed[1] = qFromLittleEndian(h.materialUsed[1]);
    h.flags = qFromLittleEndian(h.flags);
    h.layerHeight = qFromLittleEndian(h.layerHeight);
    h.infill = qFromLittleEndian(h.infill);
    h.shellCount = qFromLittleEndian(h.shellCount);
    h.speed = qFromLittleEndian(h.speed);
    h.platformTemp = qFromLittleEndian(h.platformTemp);
    h.extruderTemp[0] = qFromLittleEndian(h.extruderTemp[0]);
    h.extruderTemp[1] = qFromLittleEndian(h.extruderTemp[1]);
    header = h;
    return true;
}

bool isHeadedForPages(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? name : name.mid(dot + 1);
    return suffix.trimmed() == QLatin1String("gx");
}

bool isHeadedForEngine(const QString &path)
{
    return QFileInfo(path).completeSuffix() == QLatin1String("zuvrak");
}

} // namespace PrintFileHeader
