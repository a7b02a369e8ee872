#pragma once

#include <QString>

#include <functional>

// Installs one downloaded package into its kind's folder of the package
// store (/opt/PROGRAM/<kind>/<a.b.c>/): unpack into a hidden temporary
// folder, check every file that md5sum.list names, give the folder its
// version name and run its run.sh there. A package that fails at any step
// leaves no version folder behind, so the store keeps its old version as the
// newest; the folders of earlier versions are never touched.
namespace PackageInstaller {

// What an update leaves free on the file system of the store: it also holds
// the settings and the log, which must still be writable afterwards.
constexpr qint64 FreeSpaceReserve = 16 * 1024 * 1024;

// The bytes an update may write into `folder`'s file system: its free space
// less the reserve; 0 when there is no more, or when it cannot be told.
qint64 spareBytes(const QString &folder);

// Hashes of a file, in lower-case hex; empty when it cannot be read.
QString fileMd5(const QString &path);

// Checks the package folder against its md5sum.list (lines "<md5>  <name>"
// as md5sum writes them): the list must exist and name only files inside the
// folder, each must match, and every other file of the folder (run.sh among
// them, which must exist) must be named: nothing unchecked is installed or run.
bool verifyContents(const QString &folder, QString &error);

// The whole installation; the package must unpack within spareBytes().
// `installing` is called once the files are checked, right before the
// package's own script runs.
bool install(const QString &archive, const QString &kindFolder, const QString &version, QString &error,
             const std::function<void()> &installing = {});

// How long a package's run.sh may take.
constexpr int ScriptTimeoutMs = 10 * 60 * 1000;

} // namespace PackageInstaller
