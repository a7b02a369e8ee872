#include "myserver.h"

#include "discoveryrecord.h"
#include "lanprinterstate.h"
#include "lansession.h"
#include "multicastresponder.h"
#include "sysroot.h"
#include "timescale.h"
#include "uploadfile.h"

#include <QFile>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/statfs.h>
#include <sys/time.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kListenBacklog = myServer::kMaxWaiting;
const char kTooManyClients[] = "Error: too many clients\r\n";

void refuse(int fd)
{
    ::send(fd, kTooManyClients, sizeof kTooManyClients - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    ::close(fd);
}
} // namespace

myServer::myServer(LanPrinterState *state, const QString &interfaceAddress, quint16 tcpPort,
                   quint16 discoveryPort, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_interfaceAddress(interfaceAddress)
    , m_dataDir(SysRoot::path(QStringLiteral("/data")))
    , m_tcpPort(tcpPort)
    , m_requestedDiscoveryPort(discoveryPort)
{
}

myServer::~myServer()
{
    m_wake.wake();
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    {
        // Sessions blocked in a send do not watch the wake pipe.
        std::lock_guard<std::mutex> lock(m_clientsMutex);
        for (const auto &client : m_clients)
            if (client->fd >= 0)
                ::shutdown(client->fd, SHUT_RDWR);
    }
    for (const auto &client : m_clients)
        client->thread.join();
    for (const Waiting &waiting : m_line)
        ::close(waiting.fd);
    m_responder.reset();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    if (m_sessionEnded >= 0)
        ::close(m_sessionEnded);
}

bool myServer::start()
{
    if (m_listenFd >= 0)
        return true;
    if (!m_wake.isValid())
        return false;
    if (m_sessionEnded < 0)
        m_sessionEnded = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_sessionEnded < 0) {
        qWarning("myserver.cpp %s: eventfd failed: %s", __func__, std::strerror(errno));
        return false;
    }
    // Whatever a power cut interrupted is of no use to anyone.
    UploadFile::removeLeftovers(m_dataDir);

    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        qWarning("myserver.cpp %s: socket failed: %s", __func__, std::strerror(errno));
        return false;
    }
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(m_tcpPort);
    socklen_t addressSize = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(fd, kListenBacklog) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &addressSize) != 0) {
        qWarning("myserver.cpp %s: cannot listen on port %u: %s", __func__, m_tcpPort,
                 std::strerror(errno));
        ::close(fd);
        return false;
    }
    m_tcpPort = ntohs(address.sin_port);
    m_listenFd = fd;
    m_acceptThread = std::thread(&myServer::acceptLoop, this);

    m_responder.reset(new MulticastResponder(m_interfaceAddress, m_requestedDiscoveryPort, [this] {
        DiscoveryRecord::Fields fields;
        fields.printerName = m_state->printerName();
        // The station may have been given another address since the start.
        const QString current = m_state->interfaceAddress();
        fields.address = current.isEmpty() ? m_interfaceAddress : current;
        fields.tcpPort = m_tcpPort;
        fields.status = quint16(m_state->machineStatus());
        return DiscoveryRecord::build(fields);
    }));
    if (!m_responder->start())
        qWarning("myserver.cpp %s: discovery is off, the slicer must be given the address", __func__);
    return true;
}

quint16 myServer::discoveryPort() const
{
    return m_responder ? m_responder->port() : m_requestedDiscoveryPort;
}

// A client that reconnects the moment it is done must not keep the places
// from the others: connections beyond kMaxClients wait in a line and each
// place that comes free goes to the one that has waited longest. A waiting
// connection is turned away when the line is full, when its wait passes the
// idle limit, and dropped when its client gives up.
void myServer::acceptLoop()
{
    using Clock = std::chrono::steady_clock;
    enum { Listen, Wake, SessionEnded, FirstWaiting };
    std::vector<pollfd> fds;
    for (;;) {
        fds.assign({{m_listenFd, POLLIN, 0}, {m_wake.readFd(), POLLIN, 0}, {m_sessionEnded, POLLIN, 0}});
        for (const Waiting &waiting : m_line)
            fds.push_back({waiting.fd, POLLRDHUP, 0});
        int timeoutMs = -1;
        if (!m_line.empty()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_line.front().due - Clock::now());
            timeoutMs = int(std::max<std::chrono::milliseconds::rep>(0, left.count()));
        }
        if (::poll(fds.data(), fds.size(), timeoutMs) < 0) {
            if (errno == EINTR)
                continue;
            qWarning("myserver.cpp %s: poll failed: %s", __func__, std::strerror(errno));
            return;
        }
        if (fds[Wake].revents)
            return;
        if (fds[SessionEnded].revents) {
            eventfd_t count;
            ::eventfd_read(m_sessionEnded, &count);
        }
        // Whoever hung up while waiting leaves the line (from the back, so
        // that the indexes still match).
        for (std::size_t i = fds.size(); i-- > FirstWaiting;) {
            if (fds[i].revents) {
                ::close(fds[i].fd);
                m_line.erase(m_line.begin() + std::ptrdiff_t(i - FirstWaiting));
            }
        }
        while (!m_line.empty() && m_line.front().due <= Clock::now()) {
            refuse(m_line.front().fd);
            m_line.pop_front();
        }
        admitWaiting();
        if (fds[Listen].revents)
            joinLine();
        admitWaiting();
    }
}

void myServer::joinLine()
{
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
        // Out of descriptors the listening socket stays readable: give the
        // sessions time to end instead of spinning.
        if (errno == EMFILE || errno == ENFILE)
            TimeScale::sleepMs(100);
        return;
    }
    if (m_line.size() >= std::size_t(kMaxWaiting)) {
        refuse(fd);
        return;
    }
    const auto wait = std::chrono::milliseconds(TimeScale::limitMs(m_idleMs));
    m_line.push_back({fd, std::chrono::steady_clock::now() + wait});
}

void myServer::admitWaiting()
{
    reapFinishedClients();
    while (!m_line.empty()) {
        {
            std::lock_guard<std::mutex> lock(m_clientsMutex);
            if (m_clients.size() >= std::size_t(kMaxClients))
                return;
        }
        startClient(m_line.front().fd);
        m_line.pop_front();
    }
}

void myServer::startClient(int fd)
{
    // A client that stops reading must not hold its thread in send() forever.
    const int idleMs = TimeScale::limitMs(m_idleMs);
    timeval sendTimeout{};
    sendTimeout.tv_sec = idleMs / 1000;
    sendTimeout.tv_usec = (idleMs % 1000) * 1000;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof sendTimeout);

    auto client = std::make_unique<Client>();
    Client *raw = client.get();
    raw->fd = fd;
    const quint64 id = ++m_lastSessionId;
    std::lock_guard<std::mutex> lock(m_clientsMutex);
    m_clients.push_back(std::move(client));
    raw->thread = std::thread([this, raw, fd, id] {
        LanSession(*this, fd, id).run();
        closeClientSocket(raw);
        raw->finished = true;
        ::eventfd_write(m_sessionEnded, 1);
    });
}

void myServer::closeClientSocket(Client *client)
{
    std::lock_guard<std::mutex> lock(m_clientsMutex);
    ::close(client->fd);
    client->fd = -1;
}

void myServer::reapFinishedClients()
{
    std::list<std::unique_ptr<Client>> finished;
    {
        std::lock_guard<std::mutex> lock(m_clientsMutex);
        for (auto it = m_clients.begin(); it != m_clients.end();) {
            if ((*it)->finished) {
                finished.push_back(std::move(*it));
                it = m_clients.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto &client : finished)
        client->thread.join();
}

bool myServer::takeControl(quint64 sessionId)
{
    {
        std::lock_guard<std::mutex> lock(m_controlMutex);
        if (m_controller == sessionId)
            return true;
        if (m_controller != 0)
            return false;
        m_controller = sessionId;
    }
    emit sig_controlTaken();
    return true;
}

bool myServer::holdsControl(quint64 sessionId) const
{
    std::lock_guard<std::mutex> lock(m_controlMutex);
    return m_controller == sessionId;
}

void myServer::releaseControl(quint64 sessionId)
{
    {
        std::lock_guard<std::mutex> lock(m_controlMutex);
        if (m_controller != sessionId)
            return;
        m_controller = 0;
    }
    emit sig_controlReleased();
}

Machine_Connect_State myServer::connectState() const
{
    std::lock_guard<std::mutex> lock(m_controlMutex);
    return m_controller != 0 ? Machine_Connected : Machine_Connect_None;
}

qint64 myServer::check_free_space(const char *path)
{
    struct statfs info;
    if (::statfs(path, &info) != 0) {
        qWarning("myserver.cpp %s: check free space failed: %s", __func__, std::strerror(errno));
        return -1;
    }
    return qint64(info.f_bfree) * qint64(info.f_bsize);
}
