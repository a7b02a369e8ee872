#pragma once

#include <string>

namespace tmsdk {

class FileManager {
public:
    // Deletes the file at `path`; its folder is flushed to the medium in the
    // background. Returns 0 on success and when there is nothing to delete,
    // else the negated errno.
    static int remove(const std::string &path);
};

} // namespace tmsdk
