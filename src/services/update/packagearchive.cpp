#include "packagearchive.h"

#include "packagelisting.h"
#include "tarreader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QSet>
#include <QVector>

namespace PackageArchive {

namespace {

using Member = TarReader::Member;

constexpr qint64 kDiskBlock = 4096;

// What a member takes on disk, in blocks of the file system: its data, and
// at least one block, so that masses of empty files or folders count too.
qint64 diskBlocks(const Member &member)
{
    return qMax<qint64>(1, member.size / kDiskBlock + (member.size % kDiskBlock != 0));
}

// The md5sum.list rule over one walk: the list may come anywhere in the
// archive, so the files met before it wait for it; those after it are
// checked as soon as they are written.
class ListingCheck {
public:
    bool file(const QString &path, const QString &md5, QString &error)
    {
        if (m_listed)
            return m_listing.file(path, md5, error);
        m_waiting.append({path, md5});
        return true;
    }

    bool list(const QByteArray &data, QString &error)
    {
        if (!m_listing.parse(data, error))
            return false;
        m_listed = true;
        for (const auto &waiting : qAsConst(m_waiting))
            if (!m_listing.file(waiting.first, waiting.second, error))
                return false;
        m_waiting.clear();
        return true;
    }

    bool complete(QString &error) const
    {
        if (m_listed)
            return m_listing.complete(error);
        error = QStringLiteral("no %1").arg(QLatin1String(PackageListing::ListName));
        return false;
    }

private:
    PackageListing m_listing;
    bool m_listed = false;
    QVector<QPair<QString, QString>> m_waiting; // path, MD5
};

// Writes a file member's data to `path` (a new file), hashing it on the way
// and keeping a copy in `keep` when given.
bool writeFile(TarReader &reader, const Member &member, const QString &path, QByteArray *keep, QString &md5,
               QString &error)
{
    if (!QDir().mkpath(QFileInfo(path).path())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    QCryptographicHash hash(QCryptographicHash::Md5);
    const bool read = reader.readData([&](const char *data, int size) {
        hash.addData(data, size);
        if (keep)
            keep->append(data, size);
        if (file.write(data, size) == size)
            return true;
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }, error);
    if (!read)
        return false;
    if (!file.flush()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions runnable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    file.setPermissions(member.executable ? readable | runnable : readable);
    md5 = QString::fromLatin1(hash.result().toHex());
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

bool unpack(const QString &archive, const QString &staging, qint64 maxBytes, QString &error)
{
    TarReader reader(archive, maxBytes);
    if (!reader.isOpen()) {
        error = QStringLiteral("cannot open the archive");
        return false;
    }
    if (!QDir().mkpath(staging)) {
        error = QStringLiteral("cannot create %1").arg(staging);
        return false;
    }
    const qint64 maxBlocks = maxBytes / kDiskBlock;
    qint64 blocks = 0;
    int members = 0;
    QSet<QString> names;
    ListingCheck listing;
    Member member;
    int found;
    while ((found = reader.next(member, error)) > 0) {
        if (++members > MaxMembers) {
            error = QStringLiteral("more than %1 members").arg(MaxMembers);
            return false;
        }
        if ((blocks += diskBlocks(member)) > maxBlocks) {
            error = QStringLiteral("unpacks to more than the %1 bytes free").arg(maxBytes);
            return false;
        }
        // The package folder's own entry (a folder: the reader refuses a
        // file of that name) is the staging folder itself.
        if (member.path.isEmpty())
            continue;
        if (names.contains(member.path)) {
            error = QStringLiteral("\"%1\" is in the archive twice").arg(member.path);
            return false;
        }
        names.insert(member.path);
        const QString path = staging + QLatin1Char('/') + member.path;
        if (member.directory) {
            if (!QDir().mkpath(path)) {
                error = QStringLiteral("cannot create %1").arg(path);
                return false;
            }
            continue;
        }
        const bool isList = member.path == QLatin1String(PackageListing::ListName);
        if (isList && member.size > PackageListing::MaxListSize) {
            error = QStringLiteral("%1 is larger than %2 bytes").arg(member.path).arg(PackageListing::MaxListSize);
            return false;
        }
        QByteArray list;
        QString md5;
        if (!writeFile(reader, member, path, isList ? &list : nullptr, md5, error))
            return false;
        if (!(isList ? listing.list(list, error) : listing.file(member.path, md5, error)))
            return false;
    }
    if (found < 0)
        return false;
    if (members == 0) {
        error = QStringLiteral("empty archive");
        return false;
    }
    return reader.finish(error) && listing.complete(error);
}

} // namespace PackageArchive
