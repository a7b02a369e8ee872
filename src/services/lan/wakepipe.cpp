#include "wakepipe.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

WakePipe::WakePipe()
{
    if (::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("wakepipe.cpp %s: pipe failed: %s", __func__, std::strerror(errno));
        m_fds[0] = m_fds[1] = -1;
    }
}

WakePipe::~WakePipe()
{
    for (int fd : m_fds)
        if (fd >= 0)
            ::close(fd);
}

void WakePipe::wake()
{
    if (m_fds[1] < 0)
        return;
    const char byte = 1;
    // The pipe is never drained, so one byte keeps it readable; a full pipe
    // (EAGAIN) is readable already.
    [[maybe_unused]] ssize_t n = ::write(m_fds[1], &byte, 1);
}
