#pragma once

#include <QByteArray>
#include <QString>

class PackageListing;

// Unpacks an update package, a gzip-compressed tar archive, in this process
// with zlib: no shell and no external tar, so a member name can never run
// anything and every name is checked before anything is written.
//
// A package holds only folders and regular files with relative names. An
// archive with any other member (links, devices), an absolute name, a ".."
// component or a damaged header is refused as a whole, before the first file
// is created.
namespace PackageArchive {

// The data of the regular file `path` of `archive` (of its last member of
// that name, the one unpacking leaves), read without writing anything; false
// when it is missing or larger than `maxSize`, or when the archive is
// refused as unpack() would refuse it.
bool readFile(const QString &archive, const QString &path, qint64 maxSize, qint64 maxBytes, QByteArray &data,
              QString &error);

// Unpacks `archive` into the folder `target`, which it creates. Every member
// is checked first: an archive whose members would take more than
// `maxBytes` on disk, and with `listing` one whose files break that listing,
// is refused before `target` is created. On failure `error` says why; files
// written before a failure in the data itself (a truncated archive) are left
// for the caller to remove with the folder.
bool unpack(const QString &archive, const QString &target, qint64 maxBytes, QString &error,
            PackageListing *listing = nullptr);

// The member name as a safe path relative to the package folder ("./a/b" ->
// "a/b"); empty for the package folder itself ("." or "./"); false for
// absolute names, ".." components and empty or NUL-containing names.
bool relativeMemberPath(const QString &name, QString &path);

} // namespace PackageArchive
