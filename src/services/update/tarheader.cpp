#include "tarheader.h"

#include <cstring>
#include <limits>

namespace TarHeader {

namespace {

constexpr int kNameOffset = 0, kNameSize = 100;
constexpr int kModeOffset = 100, kModeSize = 8;
constexpr int kSizeOffset = 124, kSizeSize = 12;
constexpr int kChecksumOffset = 148, kChecksumSize = 8;
constexpr int kTypeOffset = 156;
constexpr int kMagicOffset = 257, kMagicSize = 8; // magic and version
constexpr int kPrefixOffset = 345, kPrefixSize = 155;

// Enough decimal digits for any size a package could hold, too few to
// overflow 64 bits.
constexpr int kMaxSizeDigits = 18;

QString field(const char *header, int offset, int size)
{
    return QString::fromUtf8(header + offset, static_cast<int>(strnlen(header + offset, size)));
}

// Octal number field, or the GNU base-256 form for large sizes.
bool number(const char *header, int offset, int size, qint64 &value)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(header + offset);
    value = 0;
    if (bytes[0] & 0x80) {
        if (bytes[0] != 0x80)
            return false; // negative or too large
        for (int i = 1; i < size; ++i) {
            if (value > (std::numeric_limits<qint64>::max() >> 8))
                return false;
            value = (value << 8) | bytes[i];
        }
        return true;
    }
    int i = 0;
    while (i < size && bytes[i] == ' ')
        ++i;
    bool any = false;
    for (; i < size && bytes[i] >= '0' && bytes[i] <= '7'; ++i) {
        if (value > (std::numeric_limits<qint64>::max() >> 3))
            return false;
        value = value * 8 + (bytes[i] - '0');
        any = true;
    }
    for (; i < size; ++i)
        if (bytes[i] != ' ' && bytes[i] != '\0')
            return false;
    return any;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool decimalSize(const QByteArray &text, qint64 &value)
{
    if (text.isEmpty() || text.size() > kMaxSizeDigits)
        return false;
    value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

Format format(const char *header)
{
    if (std::memcmp(header + kMagicOffset, "ustar\0" "00", kMagicSize) == 0)
        return Format::Posix;
    if (std::memcmp(header + kMagicOffset, "ustar  \0", kMagicSize) == 0)
        return Format::Gnu;
    return Format::Unknown;
}

bool checksumMatches(const char *header)
{
    qint64 stored;
    if (!number(header, kChecksumOffset, kChecksumSize, stored))
        return false;
    qint64 sum = 0;
    for (int i = 0; i < Block; ++i) {
        const bool inChecksum = i >= kChecksumOffset && i < kChecksumOffset + kChecksumSize;
        sum += inChecksum ? ' ' : static_cast<unsigned char>(header[i]);
    }
    return sum == stored;
}

char type(const char *header)
{
    return header[kTypeOffset];
}

bool size(const char *header, qint64 &value)
{
    return number(header, kSizeOffset, kSizeSize, value);
}

bool mode(const char *header, qint64 &value)
{
    return number(header, kModeOffset, kModeSize, value);
}

QString name(const char *header, Format format)
{
    const QString name = field(header, kNameOffset, kNameSize);
    const QString prefix = format == Format::Posix ? field(header, kPrefixOffset, kPrefixSize) : QString();
    return prefix.isEmpty() ? name : prefix + QLatin1Char('/') + name;
}

bool allZero(const char *block, int size)
{
    for (int i = 0; i < size; ++i)
        if (block[i])
            return false;
    return true;
}

bool parsePax(const QByteArray &records, Extended &extended, QString &error)
{
    const int total = records.size();
    int at = 0;
    while (at < total) {
        // The length counts the whole record: its digits, the blank, the
        // key, "=", the value and the newline. It is read no further than
        // the records reach, so it cannot overflow.
        qint64 length = 0;
        int i = at;
        for (; i < total && isDigit(records[i]) && length <= total; ++i)
            length = length * 10 + (records[i] - '0');
        const int keyStart = i + 1;
        const qint64 end = at + length;
        if (i == at || i >= total || records[i] != ' ' || end > total || end < keyStart + 2
            || records[int(end) - 1] != '\n') {
            error = QStringLiteral("damaged pax record");
            return false;
        }
        const int equals = records.indexOf('=', keyStart);
        if (equals <= keyStart || equals >= end - 1) {
            error = QStringLiteral("damaged pax record");
            return false;
        }
        const QByteArray key = records.mid(keyStart, equals - keyStart);
        const QByteArray value = records.mid(equals + 1, int(end) - 2 - equals);
        if (key == "path") {
            if (value.contains('\0')) {
                error = QStringLiteral("damaged pax path");
                return false;
            }
            extended.hasPath = true;
            extended.path = QString::fromUtf8(value);
        } else if (key == "size") {
            if (!decimalSize(value, extended.size)) {
                error = QStringLiteral("damaged pax size \"%1\"").arg(QString::fromLatin1(value.left(40)));
                return false;
            }
            extended.hasSize = true;
        } else if (key.startsWith("GNU.sparse")) {
            error = QStringLiteral("sparse files are not taken");
            return false;
        }
        at = int(end);
    }
    return true;
}

} // namespace TarHeader
