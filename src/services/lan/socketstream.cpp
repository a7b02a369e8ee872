#include "socketstream.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>

namespace {
constexpr int kReadChunk = 64 * 1024;
}

SocketStream::SocketStream(int fd, int wakeFd)
    : m_fd(fd)
    , m_wakeFd(wakeFd)
{
}

SocketStream::Status SocketStream::fill(QDeadlineTimer deadline)
{
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, int(qMin<qint64>(deadline.remainingTime(), 24 * 3600 * 1000)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Failed;
        if (ready == 0)
            return TimedOut;
        if (fds[1].revents)
            return Stopped;
        break;
    }
    const int oldSize = m_buffer.size();
    m_buffer.resize(oldSize + kReadChunk);
    ssize_t n;
    do {
        n = ::recv(m_fd, m_buffer.data() + oldSize, kReadChunk, 0);
    } while (n < 0 && errno == EINTR);
    m_buffer.resize(oldSize + (n > 0 ? int(n) : 0));
    if (n == 0)
        return Closed;
    return n < 0 ? Failed : Ok;
}

SocketStream::Status SocketStream::readLine(QByteArray *line, int maxLength, QDeadlineTimer deadline)
{
    bool skipping = false;
    for (;;) {
        const int end = m_buffer.indexOf('\n', m_pos);
        if (end >= 0) {
            QByteArray found = m_buffer.mid(m_pos, end - m_pos);
            m_pos = end + 1;
            if (found.endsWith('\r'))
                found.chop(1);
            if (skipping || found.size() > maxLength)
                return TooLong;
            *line = found;
            return Ok;
        }
        if (m_buffer.size() - m_pos > maxLength + 1) {
            // Drop what we have of the overlong line; keep reading to its end.
            skipping = true;
            m_pos = m_buffer.size();
        }
        const Status status = fill(deadline);
        if (status != Ok)
            return status;
    }
}

SocketStream::Status SocketStream::readExact(char *out, int size, QDeadlineTimer deadline)
{
    int done = 0;
    while (done < size) {
        const int available = m_buffer.size() - m_pos;
        if (available > 0) {
            const int n = qMin(available, size - done);
            std::memcpy(out + done, m_buffer.constData() + m_pos, size_t(n));
            m_pos += n;
            done += n;
            continue;
        }
        const Status status = fill(deadline);
        if (status != Ok)
            return status;
    }
    return Ok;
}

bool SocketStream::writeAll(const QByteArray &data)
{
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        // MSG_NOSIGNAL: a client gone away must not raise SIGPIPE.
        const ssize_t n = ::send(m_fd, p, size_t(left), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

void SocketStream::drainUntilClosed(QDeadlineTimer deadline)
{
    ::shutdown(m_fd, SHUT_WR);
    while (fill(deadline) == Ok)
        m_pos = m_buffer.size();
}
