#pragma once

#include <QString>

// Package folders named by a three-part version "a.b.c" (the update store
// under /opt/PROGRAM/{kernel,control,library,software}/).
namespace VersionDirs {

// True when `name` is "a.b.c" with three decimal numbers.
bool parse(const QString &name, int &a, int &b, int &c);

// Compares numbers in order (1.0.15 < 1.1.0): negative, 0 or positive.
int compare(const QString &left, const QString &right);

// The name of the highest version folder in `dir` (a real path), or an empty
// string when there is none.
QString latest(const QString &dir);

} // namespace VersionDirs
