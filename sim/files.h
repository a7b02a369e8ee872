#pragma once

#include <string>

namespace sim {

// Creates every missing folder above `path` (not `path` itself).
void makeParentDirs(const std::string &path);

// Replaces the file's content so that a reader never sees it half-written
// (temporary file, then rename), as a sysfs value reads.
void writeAtomically(const std::string &path, const std::string &text);

} // namespace sim
