#pragma once

#include <QString>

// Unpacks an update package, a gzip-compressed tar archive, in this process
// with zlib: no shell and no external tar, so a member name can never run
// anything.
//
// The archive is decompressed and walked once, by one reader (TarReader):
// each member is checked when its header is read and written into the
// staging folder only then, its data hashed as it is written, so what is
// checked and what is written are the same bytes. A package holds only
// folders and regular files with relative names; it is refused as a whole
// when any member breaks that, when it holds more members than a package
// has or would take more than the bytes it may use, or when its files break
// its md5sum.list.
namespace PackageArchive {

// More members than any package of this printer holds; reached long before
// masses of empty files or folders could stall the installation.
constexpr int MaxMembers = 10000;

// Unpacks `archive` into the folder `staging`, which it creates, and checks
// every file against the md5sum.list the archive holds. Every byte the
// archive inflates to, and what its members take on disk (folders
// included), must stay within `maxBytes`. On failure `error` says why and
// the caller removes `staging` with whatever was written into it.
bool unpack(const QString &archive, const QString &staging, qint64 maxBytes, QString &error);

// The member name as a safe path relative to the package folder ("./a/b" ->
// "a/b"); empty for the package folder itself ("." or "./"); false for
// absolute names, ".." components and empty or NUL-containing names.
bool relativeMemberPath(const QString &name, QString &path);

} // namespace PackageArchive
