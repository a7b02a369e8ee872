#include "cfilemanager.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

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

using ListedEntry = CFileManager::ListedEntry;

bool listedByName(const ListedEntry &a, const ListedEntry &b)
{
    return namesInOrder(a.name, b.name);
}

// The millisecond times compare as the QDateTimes of checkNeedFileOut do,
// without turning each into local time first.
bool listedNewestFirst(const ListedEntry &a, const ListedEntry &b)
{
    if (a.modifiedMs != b.modifiedMs)
        return a.modifiedMs > b.modifiedMs;
    return namesInOrder(a.name, b.name);
}

// One entry of a folder as readdir tells it.
struct DirEntry {
    QByteArray name;
    unsigned char type;
};

// A share of a folder's entries, sorted into folders and each suffix's files.
struct Gathered {
    QVector<ListedEntry> folders;
    QVector<QVector<ListedEntry>> files;
};

// A thread of its own pays off from about this many entries on.
constexpr int kEntriesPerShare = 1000;
constexpr int kMaxShares = 8;

// Sorts every `step`-th entry from `first` on into `out`: folders by name,
// each suffix's files newest first.
void gather(int folderFd, const QVector<DirEntry> &entries, int first, int step, const QStringList &suffixes,
            Gathered &out)
{
    out.files.resize(suffixes.size());
    for (int i = first; i < entries.size(); i += step) {
        const DirEntry &entry = entries.at(i);
        const QString name = QFile::decodeName(entry.name);
        if (entry.type == DT_DIR) {
            out.folders.append(ListedEntry{name, true, 0, 0});
            continue;
        }
        const int group = suffixes.indexOf(suffixOf(name));
        // Most file systems tell an entry's type without a stat. Links
        // (followed, as a QFileInfo does) and entries of unknown type need
        // one to tell a folder, print files for their time and size; every
        // other entry is passed over unasked.
        const bool linkOrUnknown = entry.type == DT_LNK || entry.type == DT_UNKNOWN;
        if (!linkOrUnknown && !(group >= 0 && entry.type == DT_REG))
            continue;
        struct stat info;
        if (::fstatat(folderFd, entry.name.constData(), &info, 0) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            out.folders.append(ListedEntry{name, true, 0, 0});
        else if (S_ISREG(info.st_mode) && group >= 0)
            out.files[group].append(ListedEntry{
                name, false, qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000, info.st_size});
    }
    std::sort(out.folders.begin(), out.folders.end(), listedByName);
    for (QVector<ListedEntry> &files : out.files)
        std::sort(files.begin(), files.end(), listedNewestFirst);
}

// Merges the sorted runs of the shares into `out`, in order.
template <typename Run, typename Order>
void appendMerged(const QVector<Gathered> &shares, Run run, Order order, QVector<ListedEntry> &out)
{
    const int start = out.size();
    for (const Gathered &share : shares) {
        const int middle = out.size();
        out += run(share);
        std::inplace_merge(out.begin() + start, out.begin() + middle, out.end(), order);
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

QVector<CFileManager::ListedEntry> CFileManager::listForBrowser(const QString &dir, const QStringList &suffixes)
{
    std::unique_ptr<DIR, int (*)(DIR *)> folder(::opendir(QFile::encodeName(dir).constData()), ::closedir);
    if (!folder)
        return {};
    QVector<DirEntry> entries;
    while (const dirent *entry = ::readdir(folder.get())) {
        if (entry->d_name[0] != '.') // ".", ".." and hidden entries
            entries.append(DirEntry{QByteArray(entry->d_name), entry->d_type});
    }

    // The stat calls of a big folder are shared among a few threads, the
    // calling one included: on its own it would spend most of the listing
    // waiting for them.
    const int cores = qBound(1, int(std::thread::hardware_concurrency()), kMaxShares);
    const int shares = qBound(1, entries.size() / kEntriesPerShare, cores);
    QVector<Gathered> gathered(shares);
    const int folderFd = ::dirfd(folder.get());
    std::vector<std::thread> helpers;
    QVector<int> ownShares{0};
    for (int share = 1; share < shares; ++share) {
        try {
            helpers.emplace_back(gather, folderFd, std::cref(entries), share, shares, std::cref(suffixes),
                                 std::ref(gathered[share]));
        } catch (const std::system_error &) {
            ownShares << share; // no thread to be had: this one does it
        }
    }
    for (int share : ownShares)
        gather(folderFd, entries, share, shares, suffixes, gathered[share]);
    for (std::thread &helper : helpers)
        helper.join();

    QVector<ListedEntry> listed;
    appendMerged(gathered, [](const Gathered &share) { return share.folders; }, listedByName, listed);
    for (int group = 0; group < suffixes.size(); ++group)
        appendMerged(gathered, [group](const Gathered &share) { return share.files.at(group); }, listedNewestFirst,
                     listed);
    return listed;
}
