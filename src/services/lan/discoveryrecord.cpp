#include "discoveryrecord.h"

#include <QtEndian>

#include <cstring>

namespace {
// Copies `text` as UTF-8 into a field of `size` bytes, leaving room for the
// closing NUL and never splitting a multi-byte character.
void putText(QByteArray &record, int offset, int size, const QString &text)
{
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() > size - 1) {
        int cut = size - 1;
        while (cut > 0 && (static_cast<unsigned char>(utf8.at(cut)) & 0xC0) == 0x80)
            --cut; // utf8[cut] continues a character that would be split
        utf8.truncate(cut);
    }
    std::memcpy(record.data() + offset, utf8.constData(), size_t(utf8.size()));
}
} // namespace

namespace DiscoveryRecord {

QByteArray build(const Fields &fields)
{
    QByteArray record(kSize, '\0');
    putText(record, kNameOffset, kNameSize, fields.printerName);
    putText(record, kAddressOffset, kAddressSize, fields.address);
    qToLittleEndian<quint16>(fields.tcpPort, record.data() + kPortOffset);
    qToLittleEndian<quint16>(fields.vendorId, record.data() + kVendorOffset);
    qToLittleEndian<quint16>(fields.productId, record.data() + kProductOffset);
    qToLittleEndian<quint16>(fields.status, record.data() + kStatusOffset);
    return record;
}

} // namespace DiscoveryRecord
