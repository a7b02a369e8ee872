#pragma once

#include "netinterface.h"

#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

class QThread;

// Watches, every few seconds on its own thread, whether the Wi-Fi interface
// holds an IPv4 address and the internet answers (a ping to one of four public
// DNS servers), at the same pace however long the internet stays away.
// connectionChanged is emitted on the watcher thread.
class NetworkWatcher : public QObject {
    Q_OBJECT
public:
    explicit NetworkWatcher(std::string ifname = NetInterface::wifiInterfaceName(), QObject *parent = nullptr);
    ~NetworkWatcher() override;

    void start();
    // Ends the watcher thread; returns once it has finished.
    void stop();

    // The result of the latest check: an address and the internet reachable.
    bool isConnected() const;

signals:
    void connectionChanged(bool connected);

private:
    void watch();
    bool internetReachable();
    bool stopRequested();

    const std::string m_ifname;
    std::unique_ptr<QThread> m_thread;

    mutable std::mutex m_stateMutex;
    bool m_connected = false;

    std::mutex m_stopMutex;
    std::condition_variable m_stopSignal;
    bool m_stopping = false;
};
