#pragma once

#include "vardefine.h"
#include "wakepipe.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

class LanPrinterState;
class MulticastResponder;

// The LAN print server: the desktop slicer takes control of the printer,
// reads its state, uploads print files into /data and starts, pauses,
// resumes and cancels prints over a line protocol on TCP (see
// docs/lan-protocol.md); a multicast responder lets it find the printer.
//
// Every client has its own thread and every signal is emitted on one of
// them, so receivers on the GUI thread get them queued. The object itself
// needs no event loop.
class myServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultTcpPort = 8899;
    static constexpr quint16 kDefaultDiscoveryPort = 19000;
    static constexpr int kMaxClients = 4;
    // Connections beyond kMaxClients wait for a place in order of arrival.
    static constexpr int kMaxWaiting = 16;
    static constexpr int kMaxLineLength = 512;
    static constexpr int kDefaultIdleMs = 30000;

    // `state` must outlive the server. `interfaceAddress` is the IPv4
    // address the discovery group is joined on and announced with. Port 0
    // picks a free port (tests).
    myServer(LanPrinterState *state, const QString &interfaceAddress,
             quint16 tcpPort = kDefaultTcpPort, quint16 discoveryPort = kDefaultDiscoveryPort,
             QObject *parent = nullptr);
    ~myServer() override; // closes every connection and joins every thread

    // Listens and answers discovery; false when the TCP port cannot be
    // opened. Discovery failing alone is logged and the server runs on.
    bool start();

    quint16 tcpPort() const { return m_tcpPort; }
    quint16 discoveryPort() const;

    // How long a client may stay silent, and wait for a place, in
    // milliseconds before time scaling; set before start().
    void setIdleTimeoutMs(int ms) { m_idleMs = ms; }

    Machine_Connect_State connectState() const;

    // Free bytes of the file system holding `path`, -1 when it cannot be
    // read. Needs no server object.
    static qint64 check_free_space(const char *path);

signals:
    void sig_printFile(QString path);   // M23: print this uploaded file
    void sig_printresume();             // M24
    void sig_printpause();              // M25
    void sig_printcancel();             // M26
    void sig_motorsOn();                // M17
    void sig_dialogShow(QString text);  // the upload notice ("Receive file", "CRC ERROR")
    void sig_dialogClose();
    void sig_controlTaken();            // a client took control (Machine_Connected)
    void sig_controlReleased();         // control is free again (Machine_Connect_None)

private:
    friend class LanSession;

    struct Client {
        std::thread thread;
        int fd = -1; // guarded by m_clientsMutex; -1 once the session closed it
        std::atomic<bool> finished{false};
    };

    struct Waiting {
        int fd;
        std::chrono::steady_clock::time_point due;
    };

    void acceptLoop();
    void joinLine();
    void admitWaiting();
    void startClient(int fd);
    void reapFinishedClients();
    void closeClientSocket(Client *client);

    // Control is held by at most one session, named by its id (0: none).
    bool takeControl(quint64 sessionId);
    bool holdsControl(quint64 sessionId) const;
    void releaseControl(quint64 sessionId);

    LanPrinterState *m_state;
    QString m_interfaceAddress;
    QString m_dataDir;
    quint16 m_tcpPort;
    quint16 m_requestedDiscoveryPort;
    int m_idleMs = kDefaultIdleMs;
    int m_listenFd = -1;
    WakePipe m_wake;
    std::thread m_acceptThread;
    std::unique_ptr<MulticastResponder> m_responder;

    std::mutex m_clientsMutex;
    std::list<std::unique_ptr<Client>> m_clients;
    quint64 m_lastSessionId = 0;
    int m_sessionEnded = -1; // eventfd: a client's place has come free

    // Accepted connections waiting for a place, oldest first (accept thread).
    std::deque<Waiting> m_line;

    mutable std::mutex m_controlMutex;
    quint64 m_controller = 0;
};
