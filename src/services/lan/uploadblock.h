#pragma once

#include <QByteArray>
#include <QtGlobal>

// The framing of upload data: blocks of a 16-byte header (all fields
// little-endian unsigned 32-bit: magic, block counter from 0, payload length
// 1..kMaxPayload, CRC-32 of the payload) followed by the payload.
namespace UploadBlock {

constexpr quint32 kMagic = 0x4B4C4250; // bytes "PBLK"
constexpr int kHeaderSize = 16;
constexpr int kMaxPayload = 4096;

struct Header {
    quint32 magic = 0;
    quint32 index = 0;
    quint32 length = 0;
    quint32 crc = 0;
};

Header decodeHeader(const char *bytes);

// CRC-32 as zlib and most tools compute it (polynomial 0xEDB88320).
quint32 crc32(const char *data, int size);

// A whole block, header and payload (the sending side; tools and tests).
QByteArray encode(quint32 index, const QByteArray &payload);

} // namespace UploadBlock
