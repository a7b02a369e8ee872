#include "packageinstaller.h"

#include "atomicfile.h"
#include "lan/myserver.h"
#include "packagearchive.h"
#include "processrunner.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace PackageInstaller {

namespace {

const char *const kList = "md5sum.list";
const char *const kScript = "run.sh";
// Larger lists are not what md5sum writes for a package.
constexpr qint64 kMaxListSize = 1 << 20;

void removeFolder(const QString &path)
{
    if (QFileInfo::exists(path) && !QDir(path).removeRecursively())
        qWarning() << "PackageInstaller: cannot remove" << path;
}

} // namespace

qint64 spareBytes(const QString &folder)
{
    const qint64 free = myServer::check_free_space(QFile::encodeName(folder).constData());
    return qMax<qint64>(0, free - FreeSpaceReserve);
}

QString fileMd5(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

bool verifyContents(const QString &folder, QString &error)
{
    QFile list(folder + QLatin1Char('/') + QLatin1String(kList));
    if (!list.open(QIODevice::ReadOnly) || list.size() > kMaxListSize) {
        error = QStringLiteral("no readable %1").arg(QLatin1String(kList));
        return false;
    }
    const QRegularExpression line(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9a-fA-F]{32}) [ *](.+)")));
    QSet<QString> listed;
    for (const QByteArray &raw : list.readAll().split('\n')) {
        const QString text = QString::fromUtf8(raw).trimmed();
        if (text.isEmpty())
            continue;
        const QRegularExpressionMatch match = line.match(text);
        QString name;
        if (!match.hasMatch() || !PackageArchive::relativeMemberPath(match.captured(2), name) || name.isEmpty()) {
            error = QStringLiteral("bad line in %1: %2").arg(QLatin1String(kList), text);
            return false;
        }
        const QString path = folder + QLatin1Char('/') + name;
        if (!QFileInfo(path).isFile()) {
            error = QStringLiteral("%1 is missing").arg(name);
            return false;
        }
        if (fileMd5(path) != match.captured(1).toLower()) {
            error = QStringLiteral("%1 does not match its MD5 sum").arg(name);
            return false;
        }
        listed.insert(name);
    }
    if (listed.isEmpty()) {
        error = QStringLiteral("%1 names no file").arg(QLatin1String(kList));
        return false;
    }
    if (!QFileInfo(folder + QLatin1Char('/') + QLatin1String(kScript)).isFile()) {
        error = QStringLiteral("no %1").arg(QLatin1String(kScript));
        return false;
    }
    const QDir root(folder);
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString name = root.relativeFilePath(files.next());
        if (name != QLatin1String(kList) && !listed.contains(name)) {
            error = QStringLiteral("%1 is not in %2").arg(name, QLatin1String(kList));
            return false;
        }
    }
    return true;
}

bool install(const QString &archive, const QString &kindFolder, const QString &version, QString &error,
             const std::function<void()> &installing)
{
    // Hidden names are never taken for version folders by the store's readers.
    const QString temporary = kindFolder + QStringLiteral("/.incoming-") + version;
    const QString final = kindFolder + QLatin1Char('/') + version;
    if (QFileInfo::exists(final)) {
        error = QStringLiteral("%1 is installed already").arg(version);
        return false;
    }
    removeFolder(temporary);
    if (!QDir().mkpath(temporary)) {
        error = QStringLiteral("cannot create %1").arg(temporary);
        return false;
    }
    if (!PackageArchive::unpack(archive, temporary, spareBytes(kindFolder), error)
        || !verifyContents(temporary, error)) {
        removeFolder(temporary);
        return false;
    }
    if (installing)
        installing();
    if (!QDir().rename(temporary, final)) {
        error = QStringLiteral("cannot rename %1 to %2").arg(temporary, final);
        removeFolder(temporary);
        return false;
    }
    AtomicFile::syncFolder(kindFolder);
    const ProcessRunner::Result run =
        ProcessRunner::runScript(QLatin1String(kScript), final, ScriptTimeoutMs);
    if (!run.ok()) {
        error = run.started ? QStringLiteral("%1 failed (exit code %2)").arg(QLatin1String(kScript)).arg(run.exitCode)
                            : QStringLiteral("%1 could not be started").arg(QLatin1String(kScript));
        // Out of the version name first, so that a cut here leaves no
        // half-installed version behind as the newest.
        const QString failed = kindFolder + QStringLiteral("/.failed-") + version;
        removeFolder(failed);
        if (QDir().rename(final, failed))
            removeFolder(failed);
        else
            removeFolder(final);
        AtomicFile::syncFolder(kindFolder);
        return false;
    }
    return true;
}

} // namespace PackageInstaller
