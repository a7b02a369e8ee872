#include "serial.h"

#include <QDebug>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr size_t kMaxLine = 4096; // a reply longer than this is not a reply
}

Serial::Serial(std::string device) : m_device(std::move(device))
{
    if (!openPort())
        throw std::runtime_error("cannot open serial port " + m_device + ": " + std::strerror(errno));
}

Serial::~Serial()
{
    close();
}

bool Serial::openPort()
{
    const int fd = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | CRTSCTS);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 10; // one second
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return false;
    }
    m_fd = fd;
    m_pending.clear();
    return true;
}

bool Serial::reopen()
{
    close();
    if (!openPort()) {
        qWarning() << "Serial::reopen failed:" << m_device.c_str() << std::strerror(errno);
        return false;
    }
    return true;
}

void Serial::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_pending.clear();
}

void Serial::flushInput()
{
    m_pending.clear();
    if (m_fd < 0)
        return;
    // Asking first keeps the common case (nothing stale) to one system call.
    int waiting = 0;
    if (::ioctl(m_fd, FIONREAD, &waiting) == 0 && waiting == 0)
        return;
    tcflush(m_fd, TCIFLUSH);
    char buf[512];
    while (::read(m_fd, buf, sizeof buf) > 0) {
    }
}

bool Serial::writeAll(const std::string &bytes)
{
    if (m_fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{m_fd, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0)
                return false;
            continue;
        }
        return false;
    }
    return true;
}

bool Serial::readLine(std::string &line, int deadlineMs)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(deadlineMs);
    for (;;) {
        const size_t nl = m_pending.find('\n');
        if (nl != std::string::npos) {
            line = m_pending.substr(0, nl);
            m_pending.erase(0, nl + 1);
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.pop_back();
            return true;
        }
        if (m_pending.size() > kMaxLine)
            m_pending.clear();
        if (m_fd < 0)
            return false;
        // A spent deadline still looks once at what has already arrived.
        const auto left = std::max<long long>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count());
        pollfd p{m_fd, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 1000)));
        if (r < 0 && errno != EINTR)
            return false;
        if (r == 0 && left == 0)
            return false;
        if (r <= 0)
            continue;
        if (p.revents & (POLLERR | POLLNVAL))
            return false;
        char buf[512];
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0)
            m_pending.append(buf, static_cast<size_t>(n));
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else if (p.revents & POLLHUP)
            return false;
    }
}
