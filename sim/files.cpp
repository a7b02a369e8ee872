#include "files.h"

#include <cstdio>
#include <sys/stat.h>

namespace sim {

void makeParentDirs(const std::string &path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
}

void writeAtomically(const std::string &path, const std::string &text)
{
    const std::string temp = path + ".tmp";
    if (FILE *f = std::fopen(temp.c_str(), "w")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
        std::rename(temp.c_str(), path.c_str());
    }
}

} // namespace sim
