#include "HotPlug.h"

#include "sysroot.h"

#include <boost/regex.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <linux/netlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tmsdk {

namespace {

// Kernel group of NETLINK_KOBJECT_UEVENT (udev re-broadcasts on group 2).
const unsigned kKernelGroup = 1;
const size_t kEventBufferSize = 8192;

} // namespace

HotPlug::HotPlug()
    : m_stopFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

HotPlug::~HotPlug()
{
    if (m_socket >= 0)
        ::close(m_socket);
    if (!m_socketPath.empty())
        ::unlink(m_socketPath.c_str());
    if (m_stopFd >= 0)
        ::close(m_stopFd);
}

int HotPlug::open()
{
    if (m_socket >= 0)
        return 0;
    m_fromKernel = !SysRoot::isSandbox();
    return m_fromKernel ? openKernelSocket() : openSandboxSocket();
}

int HotPlug::openKernelSocket()
{
    const int fd = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    if (fd < 0) {
        const int error = errno;
        std::fprintf(stderr, "%s:%d netlink socket failed: %s\n", __FILE__, __LINE__, std::strerror(error));
        return -error;
    }
    sockaddr_nl address;
    std::memset(&address, 0, sizeof(address));
    address.nl_family = AF_NETLINK;
    address.nl_groups = kKernelGroup;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) < 0) {
        const int error = errno;
        std::fprintf(stderr, "%s:%d netlink bind failed: %s\n", __FILE__, __LINE__, std::strerror(error));
        ::close(fd);
        return -error;
    }
    m_socket = fd;
    return 0;
}

int HotPlug::openSandboxSocket()
{
    const std::string path = SysRoot::pathStd("/run/uevent.sock");
    sockaddr_un address;
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        std::fprintf(stderr, "%s:%d event socket path too long: %s\n", __FILE__, __LINE__, path.c_str());
        return -ENAMETOOLONG;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size());

    ::mkdir(SysRoot::pathStd("/run").c_str(), 0755);
    ::unlink(path.c_str()); // a socket file left by an earlier run
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -errno;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) < 0) {
        const int error = errno;
        std::fprintf(stderr, "%s:%d bind %s failed: %s\n", __FILE__, __LINE__, path.c_str(), std::strerror(error));
        ::close(fd);
        return -error;
    }
    m_socket = fd;
    m_socketPath = path;
    return 0;
}

bool HotPlug::waitEvent(std::string &header)
{
    if (m_socket < 0 || m_stopFd < 0)
        return false;
    char buffer[kEventBufferSize];
    for (;;) {
        pollfd fds[2] = {{m_stopFd, POLLIN, 0}, {m_socket, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "%s:%d poll failed: %s\n", __FILE__, __LINE__, std::strerror(errno));
            return false;
        }
        if (fds[0].revents)
            return false;
        if (!(fds[1].revents & POLLIN))
            continue;

        sockaddr_nl sender;
        std::memset(&sender, 0, sizeof(sender));
        iovec vector = {buffer, sizeof(buffer) - 1};
        msghdr message;
        std::memset(&message, 0, sizeof(message));
        message.msg_iov = &vector;
        message.msg_iovlen = 1;
        if (m_fromKernel) {
            message.msg_name = &sender;
            message.msg_namelen = sizeof(sender);
        }
        const ssize_t length = ::recvmsg(m_socket, &message, 0);
        if (length <= 0)
            continue;
        // Only the kernel itself (port id 0) may tell us about devices.
        if (m_fromKernel && sender.nl_pid != 0)
            continue;
        buffer[length] = '\0';
        header.assign(buffer); // the text up to the first NUL
        return true;
    }
}

void HotPlug::stop()
{
    if (m_stopFd < 0)
        return;
    const uint64_t one = 1;
    if (::write(m_stopFd, &one, sizeof(one)) < 0)
        std::fprintf(stderr, "%s:%d cannot signal stop: %s\n", __FILE__, __LINE__, std::strerror(errno));
}

bool HotPlug::parseBlockEvent(const std::string &header, BlockEvent &event)
{
    static const boost::regex pattern("^(add|remove)@/(?:[^/]+/)*block/([^/]+)(?:/([^/]+))?$");
    boost::smatch match;
    if (!boost::regex_match(header, match, pattern))
        return false;
    event.action = match[1] == "add" ? BlockEvent::Add : BlockEvent::Remove;
    event.disk = match[2];
    event.partition = match[3].matched ? std::string(match[3]) : std::string();
    return true;
}

bool HotPlug::isSafeDeviceName(const std::string &name)
{
    static const boost::regex pattern("[a-z]+[0-9]*");
    return boost::regex_match(name, pattern);
}

} // namespace tmsdk
