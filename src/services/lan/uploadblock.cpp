#include "uploadblock.h"

#include <QtEndian>

#include <zlib.h>

namespace UploadBlock {

Header decodeHeader(const char *bytes)
{
    Header h;
    h.magic = qFromLittleEndian<quint32>(bytes);
    h.index = qFromLittleEndian<quint32>(bytes + 4);
    h.length = qFromLittleEndian<quint32>(bytes + 8);
    h.crc = qFromLittleEndian<quint32>(bytes + 12);
    return h;
}

quint32 crc32(const char *data, int size)
{
    return quint32(::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(data), uInt(size)));
}

QByteArray encode(quint32 index, const QByteArray &payload)
{
    QByteArray block(kHeaderSize, Qt::Uninitialized);
    qToLittleEndian<quint32>(kMagic, block.data());
    qToLittleEndian<quint32>(index, block.data() + 4);
    qToLittleEndian<quint32>(quint32(payload.size()), block.data() + 8);
    qToLittleEndian<quint32>(crc32(payload.constData(), payload.size()), block.data() + 12);
    return block + payload;
}

} // namespace UploadBlock
