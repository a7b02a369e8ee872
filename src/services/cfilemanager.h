#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>

class CFileManager {
public:
    // Lists `dir` for a file browser: its sub-folders first (".." included,
    // hidden ones left out) in case-insensitive name order, then its files
    // whose text after the last "." is exactly `suffix`, newest first.
    // `recursive` also gathers the matching files of all sub-folders.
    static QList<QFileInfo> checkNeedFileOut(const QString &dir, QString suffix, bool recursive);
};
