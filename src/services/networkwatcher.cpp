#include "networkwatcher.h"

#include "processrunner.h"
#include "timescale.h"

#include <QDebug>
#include <QThread>

#include <chrono>

namespace {

// Every look pings, however long the internet has been away: the LAN server
// waits for this answer and must start within seconds of the network's
// return. Whatever depends on a server out there (the update check) keeps
// its own slower schedule.
const int kCheckIntervalMs = 5000;
const int kPingTimeoutMs = 5000; // ping itself gives up after 2 s
const char *const kProbeServers[] = {"8.8.8.8", "114.114.114.114", "1.1.1.1", "223.5.5.5"};

} // namespace

NetworkWatcher::NetworkWatcher(std::string ifname, QObject *parent)
    : QObject(parent)
    , m_ifname(std::move(ifname))
{
}

NetworkWatcher::~NetworkWatcher()
{
    stop();
}

void NetworkWatcher::start()
{
    if (m_thread && m_thread->isRunning())
        return;
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stopping = false;
    }
    m_thread.reset(QThread::create([this] { watch(); }));
    m_thread->start();
}

void NetworkWatcher::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stopping = true;
    }
    m_stopSignal.notify_all();
    if (m_thread)
        m_thread->wait();
}

bool NetworkWatcher::isConnected() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_connected;
}

bool NetworkWatcher::stopRequested()
{
    std::lock_guard<std::mutex> lock(m_stopMutex);
    return m_stopping;
}

void NetworkWatcher::watch()
{
    for (;;) {
        const bool connected = !NetInterface::ipv4Address(m_ifname).empty() && internetReachable();
        if (stopRequested())
            return;
        bool changed = false;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            changed = connected != m_connected;
            m_connected = connected;
        }
        if (changed) {
            qDebug() << "NetworkWatcher::watch network" << (connected ? "up" : "down");
            emit connectionChanged(connected);
        }
        std::unique_lock<std::mutex> lock(m_stopMutex);
        if (m_stopSignal.wait_for(lock, std::chrono::milliseconds(TimeScale::pollMs(kCheckIntervalMs)),
                                  [this] { return m_stopping; }))
            return;
    }
}

bool NetworkWatcher::internetReachable()
{
    for (const char *server : kProbeServers) {
        if (stopRequested())
            return false;
        const ProcessRunner::Result result = ProcessRunner::run(
            QStringLiteral("ping"),
            {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("2"), QString::fromLatin1(server)},
            kPingTimeoutMs);
        if (result.ok())
            return true;
    }
    return false;
}
