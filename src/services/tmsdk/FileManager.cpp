#include "FileManager.h"

#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace tmsdk {

int FileManager::remove(const std::string &path)
{
    if (::unlink(path.c_str()) == 0) {
        // The folder's entry is what a delete changes; the caller (the file
        // browser, on the GUI thread) does not wait for it to reach the medium.
        AtomicFile::syncFolderInBackground(QFileInfo(QFile::decodeName(path.c_str())).absolutePath());
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
