#pragma once

#include <string>

namespace sim {

// Creates every missing folder above `path` (not `path` itself).
void makeParentDirs(const std::string &path);

// Rewrites the file's content in place, keeping its inode, as a sysfs
// attribute changes: a reader that keeps the file open and reads it again
// from offset 0 sees the new content. Meant for short values (one write).
void writeInPlace(const std::string &path, const std::string &text);

} // namespace sim
