#include "packagearchive.h"

#include "packagelisting.h"
#include "tarreader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace PackageArchive {

namespace {

using Member = TarReader::Member;

// What a member takes on disk: its data in whole blocks of the file system,
// and at least one block, so that masses of empty files count too.
qint64 footprint(const Member &member)
{
    constexpr qint64 diskBlock = 4096;
    return qMax(diskBlock, (member.size + diskBlock - 1) / diskBlock * diskBlock);
}

// Reads a member's data into `data` (and through `sink`), or skips it.
bool readMember(TarReader &reader, const Member &member, QString &error, QByteArray *data = nullptr,
                const std::function<bool(const char *, int)> &sink = {})
{
    if (reader.readData(member.size, data, sink))
        return true;
    error = QStringLiteral("the archive ends inside \"%1\"").arg(member.path);
    return false;
}

// Walks the whole archive; `visit` (may be empty) receives each member and
// reads or skips its data. The members' sizes are added up from their
// headers, so an archive that would unpack to more than `maxBytes` is
// refused before its data is read.
bool walk(const QString &archive, qint64 maxBytes, QString &error,
          const std::function<bool(TarReader &, const Member &)> &visit)
{
    TarReader reader(archive);
    if (!reader.isOpen()) {
        error = QStringLiteral("cannot open the archive");
        return false;
    }
    Member member;
    int found;
    int members = 0;
    qint64 unpacked = 0;
    while ((found = reader.next(member, error)) > 0) {
        ++members;
        // Sizes are compared before they are added, so none can overflow.
        if (member.size > maxBytes || (unpacked += footprint(member)) > maxBytes) {
            error = QStringLiteral("unpacks to more than the %1 bytes free").arg(maxBytes);
            return false;
        }
        if (visit) {
            if (!visit(reader, member))
                return false;
        } else if (!readMember(reader, member, error)) {
            return false;
        }
    }
    if (found < 0)
        return false;
    if (members == 0) {
        error = QStringLiteral("empty archive");
        return false;
    }
    if (!reader.streamIntact()) {
        error = QStringLiteral("damaged compressed data");
        return false;
    }
    return true;
}

// Hashes a regular file's data and hands it to the listing; skips the rest.
bool checkMember(TarReader &reader, const Member &member, PackageListing &listing, QString &error)
{
    if (member.directory || member.path.isEmpty())
        return readMember(reader, member, error);
    QCryptographicHash hash(QCryptographicHash::Md5);
    const bool read = readMember(reader, member, error, nullptr, [&](const char *data, int size) {
        hash.addData(data, size);
        return true;
    });
    return read && listing.file(member.path, QString::fromLatin1(hash.result().toHex()), error);
}

bool writeMember(TarReader &reader, const Member &member, const QString &target, QString &error)
{
    if (member.path.isEmpty())
        return true;
    const QString path = target + QLatin1Char('/') + member.path;
    if (member.directory) {
        if (!QDir().mkpath(path)) {
            error = QStringLiteral("cannot create %1").arg(path);
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(QFileInfo(path).path())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    bool written = true;
    const bool read = reader.readData(member.size, nullptr, [&](const char *data, int size) {
        written = file.write(data, size) == size;
        return written;
    });
    if (!read || !written || !file.flush()) {
        error = written ? QStringLiteral("the archive ends inside \"%1\"").arg(member.path)
                        : QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions runnable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    file.setPermissions(member.executable ? readable | runnable : readable);
    return true;
}

} // namespace

bool relativeMemberPath(const QString &name, QString &path)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
    QStringList parts;
    for (const QString &part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return false;
        if (part != QLatin1String("."))
            parts << part;
    }
    path = parts.join(QLatin1Char('/'));
    return true;
}

bool readFile(const QString &archive, const QString &path, qint64 maxSize, qint64 maxBytes, QByteArray &data,
              QString &error)
{
    bool found = false;
    const bool read = walk(archive, maxBytes, error, [&](TarReader &reader, const Member &member) {
        if (member.directory || member.path != path)
            return readMember(reader, member, error);
        if (member.size > maxSize) {
            error = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxSize);
            return false;
        }
        found = true;
        data.clear();
        return readMember(reader, member, error, &data);
    });
    if (read && !found)
        error = QStringLiteral("no %1").arg(path);
    return read && found;
}

bool unpack(const QString &archive, const QString &target, qint64 maxBytes, QString &error, PackageListing *listing)
{
    // First pass: every header, and with a listing every file, is checked;
    // nothing is written.
    const bool checked = listing ? walk(archive, maxBytes, error,
                                        [&](TarReader &reader, const Member &member) {
                                            return checkMember(reader, member, *listing, error);
                                        })
                                       && listing->complete(error)
                                 : walk(archive, maxBytes, error, {});
    if (!checked)
        return false;
    if (!QDir().mkpath(target)) {
        error = QStringLiteral("cannot create %1").arg(target);
        return false;
    }
    return walk(archive, maxBytes, error, [&](TarReader &reader, const Member &member) {
        return writeMember(reader, member, target, error);
    });
}

} // namespace PackageArchive
