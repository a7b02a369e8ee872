#include "files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

void makeParentDirs(const std::string &path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
}

void writeInPlace(const std::string &path, const std::string &text)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    // Write first, then cut: a reader sees the old or the new first byte,
    // never an empty file on the way from one level to the other.
    if (!text.empty())
        [[maybe_unused]] const ssize_t n = ::pwrite(fd, text.data(), text.size(), 0);
    [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(text.size()));
    ::close(fd);
}

} // namespace sim
