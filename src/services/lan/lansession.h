#pragma once

#include "socketstream.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

class myServer;
struct LanCommand;

// One client connection of the LAN server, run on its own thread: reads
// command lines, answers them and receives uploads until the client goes,
// falls silent or the server stops.
class LanSession {
public:
    LanSession(myServer &server, int fd, quint64 id);
    void run();

private:
    // Gives up control (and the upload notice) if this client holds it.
    void leave();
    // False when the connection must end.
    bool dispatch(const LanCommand &command);
    bool send(const QByteArray &data);
    bool reply(const QByteArray &name, const QList<QByteArray> &lines = {});
    bool replyError(const QByteArray &name, const QByteArray &reason);

    bool takeControl(const LanCommand &command);
    bool releaseControl(const LanCommand &command);
    bool machineInfo(const LanCommand &command);
    bool temperatures(const LanCommand &command);
    bool status(const LanCommand &command);
    bool progress(const LanCommand &command);
    bool upload(const LanCommand &command);
    bool selectFile(const LanCommand &command);

    int idleMs() const;

    myServer &m_server;
    SocketStream m_stream;
    quint64 m_id;
};
