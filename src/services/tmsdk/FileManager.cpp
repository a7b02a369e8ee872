#include "FileManager.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace tmsdk {

int FileManager::remove(const std::string &path)
{
    if (::unlink(path.c_str()) == 0) {
        ::sync();
        return 0;
    }
    const int error = errno;
    if (error == ENOENT) {
        std::fprintf(stderr, "%s:%d fileName(%s) not exist\n", __FILE__, __LINE__, path.c_str());
        return 0;
    }
    std::fprintf(stderr, "%s:%d unlink(%s) failed: errno %d\n", __FILE__, __LINE__, path.c_str(), error);
    return -error;
}

} // namespace tmsdk
