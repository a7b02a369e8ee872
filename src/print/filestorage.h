#pragma once

#include <QString>

// The two storages of print files: the USB stick mounted at /media and the
// local storage /data.
namespace FileStorage {

QString stickRoot();
QString localRoot();

// True for a path inside the stick's mount folder.
bool isOnStick(const QString &path);

// A stick is mounted now (as the main window's hot-plug handling knows it).
bool stickMounted();

// Free bytes of the file system holding `folder`; -1 when unknown.
qint64 freeSpace(const QString &folder);

// Removes the temporary files of copies, uploads and the power-loss record
// that a kill or a power cut left in local storage (start-up). Only names
// this program makes are touched.
void removeLeftoverTemporaries();

// From now on, a stick that is mounted first loses the temporary files that
// copies onto it left when it was pulled midway (before the pages hear of
// it, so that no copy of this run can be writing one).
void tidyMountedSticks();

} // namespace FileStorage
