#pragma once

#include <QByteArray>
#include <QString>

// The 140-byte answer to a discovery datagram. Text fields are UTF-8,
// cut at a character boundary to fit and NUL-padded (always at least one
// NUL); integers are unsigned 16-bit little-endian.
//
//   offset  size  field
//        0   116  printer name
//      116    16  IPv4 address text ("192.168.1.20")
//      132     2  TCP port of the print server
//      134     2  vendor id
//      136     2  product id
//      138     2  machine status (machine_status_t)
namespace DiscoveryRecord {

constexpr int kSize = 140;
constexpr int kNameOffset = 0;
constexpr int kNameSize = 116;
constexpr int kAddressOffset = 116;
constexpr int kAddressSize = 16;
constexpr int kPortOffset = 132;
constexpr int kVendorOffset = 134;
constexpr int kProductOffset = 136;
constexpr int kStatusOffset = 138;

// Ids of this printer model.
constexpr quint16 kVendorId = 0x5056;
constexpr quint16 kProductId = 0x0001;

struct Fields {
    QString printerName;
    QString address;
    quint16 tcpPort = 0;
    quint16 vendorId = kVendorId;
    quint16 productId = kProductId;
    quint16 status = 0;
};

QByteArray build(const Fields &fields);

} // namespace DiscoveryRecord
