#include "tarreader.h"

#include "packagearchive.h"
#include "tarheader.h"

#include <zlib.h>

#include <QByteArray>
#include <QFile>

#include <vector>

namespace {

using TarHeader::Block;

// The longest pax or GNU long-name header read into memory.
constexpr qint64 kMaxMetaSize = 64 * 1024;
// Data is handed on in pieces of this size.
constexpr int kChunk = 64 * 1024;

} // namespace

TarReader::TarReader(const QString &archive, qint64 maxInflated)
    : m_file(gzopen(QFile::encodeName(archive).constData(), "rb"))
    , m_maxInflated(maxInflated)
{
    if (m_file)
        gzbuffer(m_file, 128 * 1024);
}

TarReader::~TarReader()
{
    if (m_file)
        gzclose(m_file);
}

int TarReader::next(Member &member, QString &error)
{
    // Extended headers describe the one member that follows them; a second
    // one before it, or one before the archive's end, is refused, so every
    // header read belongs to a member and their number stays bounded.
    TarHeader::Extended extended;
    bool hasExtended = false;
    if (m_dataUnread && !readData({}, error))
        return -1;
    for (;;) {
        char header[Block];
        if (!readExact(header, Block)) {
            error = failure(QStringLiteral("a header"));
            return -1;
        }
        if (TarHeader::allZero(header)) {
            if (!hasExtended)
                return 0;
            error = QStringLiteral("an extended header describes no member");
            return -1;
        }
        if (!TarHeader::checksumMatches(header)) {
            error = QStringLiteral("a header with a wrong checksum");
            return -1;
        }
        const TarHeader::Format format = TarHeader::format(header);
        qint64 size, mode;
        if (format == TarHeader::Format::Unknown || !TarHeader::size(header, size) || !TarHeader::mode(header, mode)) {
            error = QStringLiteral("damaged header");
            return -1;
        }
        const char type = TarHeader::type(header);
        if (type == 'x' || type == 'g' || type == 'L') {
            if (hasExtended) {
                error = QStringLiteral("two extended headers for one member");
                return -1;
            }
            hasExtended = true;
            if (size > kMaxMetaSize) {
                error = QStringLiteral("an extended header of more than %1 bytes").arg(kMaxMetaSize);
                return -1;
            }
            QByteArray data;
            if (!readPadded(size, [&data](const char *piece, int n) {
                    data.append(piece, n);
                    return true;
                })) {
                error = failure(QStringLiteral("an extended header"));
                return -1;
            }
            if (type == 'L') {
                extended.hasPath = true;
                extended.path = QString::fromUtf8(data.constData(), int(qstrnlen(data.constData(), uint(data.size()))));
            } else if (!TarHeader::parsePax(data, extended, error)) {
                return -1;
            } else if (type == 'g' && (extended.hasPath || extended.hasSize)) {
                // Readers disagree on whether these apply to every member.
                error = QStringLiteral("a global header sets a name or a size");
                return -1;
            }
            continue;
        }
        if (extended.hasSize)
            size = extended.size;
        const QString name = extended.hasPath ? extended.path : TarHeader::name(header, format);
        if (!PackageArchive::relativeMemberPath(name, member.path)) {
            error = QStringLiteral("unsafe member name \"%1\"").arg(name);
            return -1;
        }
        if (type == '5') {
            // Readers disagree on whether a folder's size means data follows.
            if (size != 0) {
                error = QStringLiteral("the folder \"%1\" carries data").arg(name);
                return -1;
            }
        } else if (type == '0' || type == '\0') {
            if (member.path.isEmpty()) {
                error = QStringLiteral("the file \"%1\" names the package folder").arg(name);
                return -1;
            }
            if (name.endsWith(QLatin1Char('/'))) {
                error = QStringLiteral("the file \"%1\" is named as a folder").arg(name);
                return -1;
            }
        } else {
            error = QStringLiteral("\"%1\" is not a regular file or folder").arg(name);
            return -1;
        }
        member.directory = type == '5';
        member.size = size;
        member.executable = (mode & 0111) != 0;
        m_current = member;
        m_dataUnread = !member.directory;
        return 1;
    }
}

bool TarReader::readData(const std::function<bool(const char *, int)> &sink, QString &error)
{
    if (!m_dataUnread)
        return true;
    m_dataUnread = false;
    if (readPadded(m_current.size, sink))
        return true;
    if (m_failure != Failure::None)
        error = failure(QStringLiteral("\"%1\"").arg(m_current.path));
    return false;
}

bool TarReader::finish(QString &error)
{
    std::vector<char> rest(kChunk);
    for (;;) {
        const int n = gzread(m_file, rest.data(), kChunk);
        if (n < 0) {
            m_failure = Failure::Damaged;
            break;
        }
        if (n == 0) {
            int code = Z_OK;
            gzerror(m_file, &code);
            if (code == Z_OK || code == Z_STREAM_END)
                return true;
            m_failure = Failure::Damaged;
            break;
        }
        if ((m_inflated += n) > m_maxInflated) {
            m_failure = Failure::TooLarge;
            break;
        }
        // Only the padding a tar writer adds may follow; another reader
        // could take anything else for members.
        if (!TarHeader::allZero(rest.data(), n)) {
            error = QStringLiteral("data after the archive's end");
            return false;
        }
    }
    error = failure(QStringLiteral("its compressed data"));
    return false;
}

bool TarReader::readPadded(qint64 size, const std::function<bool(const char *, int)> &sink)
{
    std::vector<char> chunk(static_cast<size_t>(qMin<qint64>(qMax<qint64>(size, Block), kChunk)));
    for (qint64 left = size; left > 0;) {
        const int n = static_cast<int>(qMin<qint64>(left, kChunk));
        if (!readExact(chunk.data(), n) || (sink && !sink(chunk.data(), n)))
            return false;
        left -= n;
    }
    const int padding = static_cast<int>((Block - size % Block) % Block);
    return padding == 0 || readExact(chunk.data(), padding);
}

bool TarReader::readExact(char *buffer, int size)
{
    for (int got = 0; got < size;) {
        const int n = gzread(m_file, buffer + got, static_cast<unsigned>(size - got));
        if (n <= 0) {
            m_failure = n < 0 ? Failure::Damaged : Failure::Truncated;
            return false;
        }
        if (gzdirect(m_file)) {
            m_failure = Failure::NotGzip;
            return false;
        }
        if ((m_inflated += n) > m_maxInflated) {
            m_failure = Failure::TooLarge;
            return false;
        }
        got += n;
    }
    return true;
}

QString TarReader::failure(const QString &truncatedWhat) const
{
    switch (m_failure) {
    case Failure::TooLarge:
        return QStringLiteral("inflates to more than the %1 bytes free").arg(m_maxInflated);
    case Failure::NotGzip:
        return QStringLiteral("not gzip-compressed");
    case Failure::Damaged:
        return QStringLiteral("damaged compressed data");
    case Failure::Truncated:
    case Failure::None:
        break;
    }
    return QStringLiteral("the archive ends inside %1").arg(truncatedWhat);
}
