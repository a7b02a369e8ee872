#include "pseudoterminal.h"

#include "files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(const std::string &linkPath)
{
    char name[PATH_MAX] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        std::perror("printer-sim: openpty");
        return false;
    }
    m_slavePath = name;
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    makeParentDirs(linkPath);
    ::unlink(linkPath.c_str());
    if (::symlink(name, linkPath.c_str()) != 0) {
        std::perror("printer-sim: symlink");
        close();
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

void PseudoTerminal::close()
{
    if (!m_linkPath.empty()) {
        char target[PATH_MAX] = {};
        const ssize_t n = ::readlink(m_linkPath.c_str(), target, sizeof target - 1);
        if (n > 0 && m_slavePath == std::string(target, static_cast<std::size_t>(n)))
            ::unlink(m_linkPath.c_str());
        m_linkPath.clear();
    }
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

} // namespace sim
