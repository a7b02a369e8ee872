#include "cfilemanager.h"

#include <QDateTime>
#include <QDir>
#include <QSet>

#include <algorithm>

namespace {

const QDir::Filters everyEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDot;

bool isHidden(const QString &name)
{
    return name.startsWith(QLatin1Char('.')) && name != QLatin1String("..");
}

bool byName(const QFileInfo &a, const QFileInfo &b)
{
    const int folded = QString::compare(a.fileName(), b.fileName(), Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.fileName() < b.fileName();
}

bool newestFirst(const QFileInfo &a, const QFileInfo &b)
{
    const QDateTime ta = a.lastModified();
    const QDateTime tb = b.lastModified();
    if (ta != tb)
        return ta > tb;
    return byName(a, b);
}

// Appends the matching files of `dir` (and, when asked, of its sub-folders).
// `visited` holds canonical folder paths so that a symlink loop ends.
void gatherFiles(const QString &dir, const QString &suffix, bool recursive,
                 QSet<QString> &visited, QList<QFileInfo> &files)
{
    visited.insert(QFileInfo(dir).canonicalFilePath());
    const QFileInfoList entries = QDir(dir).entryInfoList(everyEntry | QDir::NoDotDot);
    for (const QFileInfo &entry : entries) {
        if (isHidden(entry.fileName()))
            continue;
        if (entry.isFile() && entry.suffix() == suffix)
            files.append(entry);
        else if (recursive && entry.isDir() && !visited.contains(entry.canonicalFilePath()))
            gatherFiles(entry.filePath(), suffix, recursive, visited, files);
    }
}

} // namespace

QList<QFileInfo> CFileManager::checkNeedFileOut(const QString &dir, QString suffix, bool recursive)
{
    QList<QFileInfo> folders;
    const QFileInfoList entries = QDir(dir).entryInfoList(everyEntry);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName() == QLatin1String("..") || (entry.isDir() && !isHidden(entry.fileName())))
            folders.append(entry);
    }
    std::sort(folders.begin(), folders.end(), byName);

    QList<QFileInfo> files;
    QSet<QString> visited;
    gatherFiles(dir, suffix, recursive, visited, files);
    std::sort(files.begin(), files.end(), newestFirst);

    return folders + files;
}
