#include "multicastresponder.h"

#include <QtGlobal>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Discovery probes are tiny; anything longer is cut and still answered.
constexpr int kProbeBuffer = 512;
}

MulticastResponder::MulticastResponder(const QString &interfaceAddress, quint16 port,
                                       std::function<QByteArray()> makeRecord)
    : m_interfaceAddress(interfaceAddress)
    , m_port(port)
    , m_makeRecord(std::move(makeRecord))
{
}

MulticastResponder::~MulticastResponder()
{
    stop();
}

bool MulticastResponder::start()
{
    if (m_fd >= 0)
        return true;
    ip_mreq membership{};
    if (::inet_pton(AF_INET, kGroup, &membership.imr_multiaddr) != 1
        || ::inet_pton(AF_INET, m_interfaceAddress.toLatin1().constData(), &membership.imr_interface) != 1) {
        qWarning("multicastresponder.cpp %s: bad interface address \"%s\"", __func__,
                 qPrintable(m_interfaceAddress));
        return false;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        qWarning("multicastresponder.cpp %s: socket failed: %s", __func__, std::strerror(errno));
        return false;
    }
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);

    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(m_port);
    socklen_t localSize = sizeof local;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0
        || ::setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &localSize) != 0) {
        qWarning("multicastresponder.cpp %s: cannot join %s:%u: %s", __func__, kGroup, m_port,
                 std::strerror(errno));
        ::close(fd);
        return false;
    }
    m_port = ntohs(local.sin_port);
    m_fd = fd;
    m_thread = std::thread(&MulticastResponder::run, this);
    return true;
}

void MulticastResponder::stop()
{
    if (m_fd < 0)
        return;
    m_wake.wake();
    m_thread.join();
    ::close(m_fd);
    m_fd = -1;
}

void MulticastResponder::run()
{
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake.readFd(), POLLIN, 0}};
    char probe[kProbeBuffer];
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            qWarning("multicastresponder.cpp %s: poll failed: %s", __func__, std::strerror(errno));
            return;
        }
        if (fds[1].revents)
            return;
        sockaddr_in sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t n = ::recvfrom(m_fd, probe, sizeof probe, MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr *>(&sender), &senderSize);
        if (n < 0)
            continue;
        const QByteArray record = m_makeRecord();
        if (::sendto(m_fd, record.constData(), size_t(record.size()), MSG_DONTWAIT,
                     reinterpret_cast<sockaddr *>(&sender), senderSize) < 0)
            qWarning("multicastresponder.cpp %s: reply failed: %s", __func__, std::strerror(errno));
    }
}
