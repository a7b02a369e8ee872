#pragma once

#include "wakepipe.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <thread>

// Answers every datagram sent to the discovery group with the record that
// `makeRecord` builds at that moment, sent back to the sender. Runs its own
// thread between start() and stop() (or destruction).
class MulticastResponder {
public:
    static constexpr const char *kGroup = "225.0.0.9";

    // `interfaceAddress`: IPv4 address of the interface to join the group on
    // (the Wi-Fi station's address on the printer, "127.0.0.1" on a host).
    // Port 0 picks a free port (tests).
    MulticastResponder(const QString &interfaceAddress, quint16 port,
                       std::function<QByteArray()> makeRecord);
    ~MulticastResponder();
    MulticastResponder(const MulticastResponder &) = delete;
    MulticastResponder &operator=(const MulticastResponder &) = delete;

    bool start();
    void stop();
    quint16 port() const { return m_port; }

private:
    void run();

    QString m_interfaceAddress;
    quint16 m_port;
    std::function<QByteArray()> m_makeRecord;
    int m_fd = -1;
    WakePipe m_wake;
    std::thread m_thread;
};
