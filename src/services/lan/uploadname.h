#pragma once

#include <QByteArray>
#include <QString>

// Names that come over the network decide where a file lands in /data, so
// they are checked before anything touches the disk.

// True for the print files the printer can print: suffix "gcode", "g",
// "gx" or "zuvrak", in any letter case.
bool isPrintFileName(const QString &name);

// The plain file name in an upload or selection argument ("0:/user/part.gx"
// or "part.gx"). Returns an empty string and sets `error` when the name is
// empty, not valid UTF-8, too long, holds a "/" or a control character,
// starts with a dot (hidden files, "..") or is not a print file.
QString lanFileName(const QByteArray &argument, QByteArray *error);

// True when `path` names an entry directly inside the folder `dir` once
// symbolic links are resolved (the entry itself need not exist).
bool staysInside(const QString &dir, const QString &path);
