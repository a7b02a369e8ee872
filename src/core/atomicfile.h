#pragma once

#include <QByteArray>
#include <QString>

// Replaces a small file so that a power cut leaves either the old or the new
// content, never a torn mix: the data goes to a temporary file in the same
// folder, is flushed to the medium, renamed over the target, and the folder
// entry is flushed as well.
namespace AtomicFile {

// Returns false (and fills `error` when given) when any step fails; the old
// content is then still in place.
bool write(const QString &path, const QByteArray &data, QString *error = nullptr);

// Removes the temporary file a killed write() left beside `path`.
void removeTemporary(const QString &path);

// Flushes a folder's entries (after a rename or an unlink inside it).
bool syncFolder(const QString &folderPath);

// The same on a pool thread, for a caller that must not wait for the medium
// (the GUI thread); returns at once.
void syncFolderInBackground(const QString &folderPath);

} // namespace AtomicFile
