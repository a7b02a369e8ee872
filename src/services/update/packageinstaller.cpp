#include "packageinstaller.h"

#include "atomicfile.h"
#include "lan/myserver.h"
#include "packagearchive.h"
#include "packagelisting.h"
#include "processrunner.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace PackageInstaller {

namespace {

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
    QFile list(folder + QLatin1Char('/') + QLatin1String(PackageListing::ListName));
    PackageListing listing;
    if (!list.open(QIODevice::ReadOnly) || list.size() > PackageListing::MaxListSize) {
        error = QStringLiteral("no readable %1").arg(QLatin1String(PackageListing::ListName));
        return false;
    }
    if (!listing.parse(list.readAll(), error))
        return false;
    const QDir root(folder);
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (!listing.file(root.relativeFilePath(path), fileMd5(path), error))
            return false;
    }
    return listing.complete(error);
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
    // One walk of the archive writes what it checks into the hidden folder;
    // the unpacked folder is checked against its md5sum.list once more
    // before its script may run.
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
    const QString script = QLatin1String(PackageListing::ScriptName);
    const ProcessRunner::Result run = ProcessRunner::runScript(script, final, ScriptTimeoutMs);
    if (!run.ok()) {
        error = run.started ? QStringLiteral("%1 failed (exit code %2)").arg(script).arg(run.exitCode)
                            : QStringLiteral("%1 could not be started").arg(script);
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
