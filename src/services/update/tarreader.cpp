#include "tarreader.h"

#include "packagearchive.h"

#include <zlib.h>

#include <QFile>

#include <cstring>
#include <limits>

namespace {

constexpr int kBlock = 512;

// Widths and offsets of the ustar header fields used here.
constexpr int kNameOffset = 0, kNameSize = 100;
constexpr int kModeOffset = 100, kModeSize = 8;
constexpr int kSizeOffset = 124, kSizeSize = 12;
constexpr int kChecksumOffset = 148, kChecksumSize = 8;
constexpr int kTypeOffset = 156;
constexpr int kMagicOffset = 257;
constexpr int kPrefixOffset = 345, kPrefixSize = 155;

// The longest pax or GNU long-name record read into memory.
constexpr qint64 kMaxMetaSize = 64 * 1024;

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

bool checksumMatches(const char *header)
{
    qint64 stored;
    if (!number(header, kChecksumOffset, kChecksumSize, stored))
        return false;
    qint64 sum = 0;
    for (int i = 0; i < kBlock; ++i) {
        const bool inChecksum = i >= kChecksumOffset && i < kChecksumOffset + kChecksumSize;
        sum += inChecksum ? ' ' : static_cast<unsigned char>(header[i]);
    }
    return sum == stored;
}

bool allZero(const char *block)
{
    for (int i = 0; i < kBlock; ++i)
        if (block[i])
            return false;
    return true;
}

// "path" of a pax extended header: records "<length> <key>=<value>\n".
QString paxPath(const QByteArray &records)
{
    QString path;
    int at = 0;
    while (at < records.size()) {
        const int space = records.indexOf(' ', at);
        if (space < 0)
            break;
        bool ok = false;
        const int length = records.mid(at, space - at).toInt(&ok);
        if (!ok || length <= space - at || at + length > records.size())
            break;
        const QByteArray record = records.mid(space + 1, length - (space - at) - 2);
        if (record.startsWith("path="))
            path = QString::fromUtf8(record.mid(5));
        at += length;
    }
    return path;
}

} // namespace

TarReader::TarReader(const QString &archive)
    : m_file(gzopen(QFile::encodeName(archive).constData(), "rb"))
{
}

TarReader::~TarReader()
{
    if (m_file)
        gzclose(m_file);
}

int TarReader::next(Member &member, QString &error)
{
    QString longName;
    for (;;) {
        char header[kBlock];
        if (!readExact(header, kBlock)) {
            error = QStringLiteral("the archive ends inside a header");
            return -1;
        }
        if (allZero(header))
            return 0;
        if (!checksumMatches(header)) {
            error = QStringLiteral("damaged header");
            return -1;
        }
        qint64 size, mode;
        if (!number(header, kSizeOffset, kSizeSize, size) || !number(header, kModeOffset, kModeSize, mode)) {
            error = QStringLiteral("damaged header");
            return -1;
        }
        const char type = header[kTypeOffset];
        if (type == 'x' || type == 'L' || type == 'g') {
            // Metadata of the next member (its long name) or of the whole
            // archive (ignored).
            QByteArray data;
            if (size > kMaxMetaSize || !readData(size, &data)) {
                error = QStringLiteral("damaged extended header");
                return -1;
            }
            if (type == 'x')
                longName = paxPath(data);
            else if (type == 'L')
                longName = QString::fromUtf8(data.constData(), static_cast<int>(qstrnlen(data.constData(), data.size())));
            continue;
        }
        QString name = longName;
        if (name.isEmpty()) {
            name = field(header, kNameOffset, kNameSize);
            const bool ustar = std::memcmp(header + kMagicOffset, "ustar", 5) == 0;
            const QString prefix = ustar ? field(header, kPrefixOffset, kPrefixSize) : QString();
            if (!prefix.isEmpty())
                name = prefix + QLatin1Char('/') + name;
        }
        if (!PackageArchive::relativeMemberPath(name, member.path)) {
            error = QStringLiteral("unsafe member name \"%1\"").arg(name);
            return -1;
        }
        if (type == '5') {
            member.directory = true;
            member.size = 0;
            // A folder entry carries no data even when its size says so.
            if (size != 0 && !readData(size, nullptr)) {
                error = QStringLiteral("the archive ends inside \"%1\"").arg(name);
                return -1;
            }
        } else if (type == '0' || type == '\0') {
            member.directory = false;
            member.size = size;
        } else {
            error = QStringLiteral("\"%1\" is not a regular file or folder").arg(name);
            return -1;
        }
        member.executable = (mode & 0111) != 0;
        return 1;
    }
}

bool TarReader::readData(qint64 size, QByteArray *out, const std::function<bool(const char *, int)> &sink)
{
    qint64 left = size;
    char block[kBlock];
    while (left > 0) {
        if (!readExact(block, kBlock))
            return false;
        const int used = static_cast<int>(qMin<qint64>(left, kBlock));
        if (out)
            out->append(block, used);
        if (sink && !sink(block, used))
            return false;
        left -= used;
    }
    return true;
}

bool TarReader::streamIntact()
{
    char rest[kBlock];
    while (gzread(m_file, rest, sizeof(rest)) > 0) {
    }
    int code = Z_OK;
    gzerror(m_file, &code);
    return code == Z_OK || code == Z_STREAM_END;
}

bool TarReader::readExact(char *buffer, int size)
{
    int got = 0;
    while (got < size) {
        const int n = gzread(m_file, buffer + got, static_cast<unsigned>(size - got));
        if (n <= 0)
            return false;
        got += n;
    }
    return true;
}
