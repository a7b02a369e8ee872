// Preloaded into a test (LD_PRELOAD) to record, in order, the writes,
// flushes, renames and time changes the program makes on files under a folder
// the test names, and every system-wide sync(), so the test can check that data reach the medium before a rename
// makes them visible; the calls made on the main thread (the GUI thread) are
// also kept apart, to check that it never waits for the medium. sync() can be
// slowed down like a slow medium's. The test reaches the records through dlsym.
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>

namespace {

std::mutex recordMutex;
std::atomic<bool> recording{false}; // spares the lookups while nothing is recorded
std::string folder;  // empty: nothing is recorded
std::string record;  // one call a line
std::string lastLine; // consecutive writes of one file make one line
std::string mainThreadRecord; // the lines of `record` that the main thread called
std::atomic<unsigned> syncMicroseconds{0}; // how long a sync() takes at least

template <typename F>
F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

std::string pathOfFd(int fd)
{
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, size_t(n)) : std::string();
}

void note(const char *call, const std::string &path, const std::string &to = std::string())
{
    std::lock_guard<std::mutex> lock(recordMutex);
    if (folder.empty() || (!path.empty() && path.compare(0, folder.size(), folder) != 0))
        return;
    std::string line = path.empty() ? std::string(call) : std::string(call) + ' ' + path;
    if (!to.empty())
        line += " -> " + to;
    if (line == lastLine)
        return;
    lastLine = line;
    record += line + '\n';
    if (syscall(SYS_gettid) == getpid())
        mainThreadRecord += line + '\n';
}

// The caller's path with its folder resolved as /proc names open files, so
// renames and writes of one file compare equal.
std::string canonical(int dirFd, const char *path)
{
    std::string full = path;
    if (full.empty() || full[0] != '/') {
        char cwd[PATH_MAX];
        const std::string base = dirFd == AT_FDCWD ? std::string(getcwd(cwd, sizeof cwd) ? cwd : "") : pathOfFd(dirFd);
        full = base + '/' + full;
    }
    const size_t slash = full.rfind('/');
    char folderPath[PATH_MAX];
    if (slash == std::string::npos || !realpath(full.substr(0, slash).c_str(), folderPath))
        return full;
    return std::string(folderPath) + full.substr(slash);
}

} // namespace

extern "C" {

void call_recorder_start(const char *recordedFolder)
{
    std::lock_guard<std::mutex> lock(recordMutex);
    folder = recordedFolder ? recordedFolder : "";
    recording = !folder.empty();
    record.clear();
    lastLine.clear();
    mainThreadRecord.clear();
}

// Makes every sync() take at least `ms` longer: a slow medium, for the
// test to see what waits for the flush and what does not.
void call_recorder_slow_syncs(unsigned ms)
{
    syncMicroseconds = ms * 1000;
}

const char *call_recorder_record()
{
    std::lock_guard<std::mutex> lock(recordMutex);
    static thread_local std::string copy;
    copy = record;
    return copy.c_str();
}

const char *call_recorder_main_thread_record()
{
    std::lock_guard<std::mutex> lock(recordMutex);
    static thread_local std::string copy;
    copy = mainThreadRecord;
    return copy.c_str();
}

ssize_t write(int fd, const void *data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    const ssize_t n = real(fd, data, size);
    if (n > 0 && recording)
        note("write", pathOfFd(fd));
    return n;
}

ssize_t pwrite64(int fd, const void *data, size_t size, off64_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    const ssize_t n = real(fd, data, size, offset);
    if (n > 0 && recording)
        note("write", pathOfFd(fd));
    return n;
}

ssize_t writev(int fd, const struct iovec *parts, int count)
{
    static const auto real = next<ssize_t (*)(int, const struct iovec *, int)>("writev");
    const ssize_t n = real(fd, parts, count);
    if (n > 0 && recording)
        note("write", pathOfFd(fd));
    return n;
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    const int result = real(fd);
    if (result == 0 && recording)
        note("flush", pathOfFd(fd));
    return result;
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    const int result = real(fd);
    if (result == 0 && recording)
        note("flush", pathOfFd(fd));
    return result;
}

void sync()
{
    static const auto real = next<void (*)()>("sync");
    if (const unsigned slow = syncMicroseconds)
        usleep(slow);
    real();
    if (recording)
        note("sync", std::string());
}

int utimensat(int dirFd, const char *path, const struct timespec times[2], int flags)
{
    static const auto real = next<int (*)(int, const char *, const struct timespec[2], int)>("utimensat");
    const int result = real(dirFd, path, times, flags);
    if (result == 0 && recording && path)
        note("touch", canonical(dirFd, path));
    return result;
}

int rename(const char *from, const char *to)
{
    static const auto real = next<int (*)(const char *, const char *)>("rename");
    const int result = real(from, to);
    if (result == 0 && recording)
        note("rename", canonical(AT_FDCWD, from), canonical(AT_FDCWD, to));
    return result;
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    static const auto real = next<int (*)(int, const char *, int, const char *)>("renameat");
    const int result = real(fromDir, from, toDir, to);
    if (result == 0 && recording)
        note("rename", canonical(fromDir, from), canonical(toDir, to));
    return result;
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags)
{
    static const auto real = next<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2");
    const int result = real(fromDir, from, toDir, to, flags);
    if (result == 0 && recording)
        note("rename", canonical(fromDir, from), canonical(toDir, to));
    return result;
}

} // extern "C"
