#include "cfilemanager.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QDir::Filters everyEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDot;

bool isHidden(const QString &name)
{
    return name.startsWith(QLatin1Char('.')) && name != QLatin1String("..");
}

bool namesInOrder(const QString &a, const QString &b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a < b;
}

bool byName(const QFileInfo &a, const QFileInfo &b)
{
    return namesInOrder(a.fileName(), b.fileName());
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

// The text after the last "." of a file name (QFileInfo::suffix).
QString suffixOf(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
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

QVector<CFileManager::ListedEntry> CFileManager::listForBrowser(const QString &dir, const QStringList &suffixes)
{
    std::unique_ptr<DIR, int (*)(DIR *)> folder(::opendir(QFile::encodeName(dir).constData()), ::closedir);
    if (!folder)
        return {};
    QVector<ListedEntry> folders;
    QVector<QVector<ListedEntry>> filesBySuffix(suffixes.size());
    while (const dirent *entry = ::readdir(folder.get())) {
        if (entry->d_name[0] == '.') // ".", ".." and hidden entries
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        const int group = suffixes.indexOf(suffixOf(name));
        if (entry->d_type == DT_DIR) {
            folders.append(ListedEntry{name, true, 0, 0});
            continue;
        }
        // Most file systems tell an entry's type without a stat. Links
        // (followed, as a QFileInfo does) and entries of unknown type need
        // one to tell a folder, print files for their time and size; every
        // other entry is passed over unasked.
        const bool linkOrUnknown = entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        if (!linkOrUnknown && !(group >= 0 && entry->d_type == DT_REG))
            continue;
        struct stat info;
        if (::fstatat(::dirfd(folder.get()), entry->d_name, &info, 0) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            folders.append(ListedEntry{name, true, 0, 0});
        else if (S_ISREG(info.st_mode) && group >= 0)
            filesBySuffix[group].append(ListedEntry{
                name, false, qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000, info.st_size});
    }

    const auto byListedName = [](const ListedEntry &a, const ListedEntry &b) { return namesInOrder(a.name, b.name); };
    // The millisecond times compare as the QDateTimes of checkNeedFileOut do,
    // without turning each into local time first.
    const auto newestListedFirst = [](const ListedEntry &a, const ListedEntry &b) {
        if (a.modifiedMs != b.modifiedMs)
            return a.modifiedMs > b.modifiedMs;
        return namesInOrder(a.name, b.name);
    };
    std::sort(folders.begin(), folders.end(), byListedName);
    QVector<ListedEntry> listed = folders;
    for (QVector<ListedEntry> &files : filesBySuffix) {
        std::sort(files.begin(), files.end(), newestListedFirst);
        listed += files;
    }
    return listed;
}
