#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class CFileManager {
public:
    // Lists `dir` for a file browser: its sub-folders first (".." included,
    // hidden ones left out) in case-insensitive name order, then its files
    // whose text after the last "." is exactly `suffix`, newest first.
    // `recursive` also gathers the matching files of all sub-folders.
    static QList<QFileInfo> checkNeedFileOut(const QString &dir, QString suffix, bool recursive);

    // One entry of a folder as the file browser shows it.
    struct ListedEntry {
        QString name;
        bool isFolder = false;
        qint64 modifiedMs = 0; // modification time, milliseconds since the epoch
        qint64 size = 0;
    };

    // The file browser's view of `dir` in one pass: what checkNeedFileOut
    // lists for each of `suffixes` in turn, every entry once and without
    // "..": the visible sub-folders in name order, then the files of the
    // first suffix newest first, then those of the next suffix, and so on.
    // Reads the folder once and asks the file system only about the folders
    // and files it lists, a big folder's questions shared among a few
    // threads, so that a folder of thousands of files opens fast.
    static QVector<ListedEntry> listForBrowser(const QString &dir, const QStringList &suffixes);
};
