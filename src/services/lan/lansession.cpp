#include "lansession.h"

#include "lancommand.h"
#include "lanprinterstate.h"
#include "myserver.h"
#include "timescale.h"
#include "uploadfile.h"
#include "uploadname.h"
#include "uploadreceiver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

namespace {
QString trServer(const char *text)
{
    return QCoreApplication::translate("myServer", text);
}
} // namespace

LanSession::LanSession(myServer &server, int fd, quint64 id)
    : m_server(server)
    , m_stream(fd, server.m_wake.readFd())
    , m_id(id)
{
}

int LanSession::idleMs() const
{
    return TimeScale::limitMs(m_server.m_idleMs);
}

void LanSession::run()
{
    // Only commands count as activity: empty or malformed lines do not keep
    // a client's place, and the next command must be complete by the idle
    // limit, however slowly its bytes come.
    QDeadlineTimer nextCommandDue(idleMs());
    for (;;) {
        QByteArray line;
        const SocketStream::Status status =
            m_stream.readLine(&line, myServer::kMaxLineLength, nextCommandDue);
        if (status == SocketStream::TooLong) {
            if (!replyError("?", "line too long"))
                break;
            continue;
        }
        if (status != SocketStream::Ok)
            break;
        if (line.trimmed().isEmpty())
            continue;
        LanCommand command;
        if (!parseLanCommand(line, &command)) {
            if (!replyError("?", "malformed command"))
                break;
            continue;
        }
        if (!dispatch(command)) {
            // Let the client read our last reply before the connection
            // goes: closing with its data unread would reset the line. The
            // printer is free for others meanwhile.
            leave();
            m_stream.drainUntilClosed(QDeadlineTimer(idleMs()));
            break;
        }
        nextCommandDue.setRemainingTime(idleMs());
    }
    leave();
}

void LanSession::leave()
{
    if (m_server.holdsControl(m_id)) {
        // A client that vanished must not leave the notice up or keep the
        // printer locked.
        emit m_server.sig_dialogClose();
        m_server.releaseControl(m_id);
    }
}

bool LanSession::send(const QByteArray &data)
{
    return m_stream.writeAll(data);
}

bool LanSession::reply(const QByteArray &name, const QList<QByteArray> &lines)
{
    return send(lanReply(name, lines));
}

bool LanSession::replyError(const QByteArray &name, const QByteArray &reason)
{
    return send(lanErrorReply(name, reason));
}

bool LanSession::dispatch(const LanCommand &command)
{
    const QByteArray name = command.name();
    if (name == "M601")
        return takeControl(command);
    if (name == "M115")
        return machineInfo(command);

    if (!m_server.holdsControl(m_id))
        return replyError(name, "no control, send M601 first");
    if (name == "M602")
        return releaseControl(command);
    if (name == "M105")
        return temperatures(command);
    if (name == "M119")
        return status(command);
    if (name == "M27")
        return progress(command);
    if (name == "M28")
        return upload(command);
    if (name == "M23")
        return selectFile(command);
    if (name == "M17") {
        emit m_server.sig_motorsOn();
        return reply(name);
    }
    if (name == "M24") {
        if (m_server.m_state->resumeRefused())
            return replyError(name, "printer busy");
        emit m_server.sig_printresume();
        return reply(name);
    }
    if (name == "M25") {
        emit m_server.sig_printpause();
        return reply(name);
    }
    if (name == "M26") {
        emit m_server.sig_printcancel();
        return reply(name);
    }
    return replyError(name, "unknown command");
}

bool LanSession::takeControl(const LanCommand &command)
{
    if (!m_server.takeControl(m_id))
        return replyError(command.name(), "control held by another client");
    return reply(command.name(), {"Control Success."});
}

bool LanSession::releaseControl(const LanCommand &command)
{
    emit m_server.sig_dialogClose();
    m_server.releaseControl(m_id);
    return reply(command.name(), {"Control Release."});
}

bool LanSession::machineInfo(const LanCommand &command)
{
    const LanPrinterState &state = *m_server.m_state;
    return reply(command.name(), {"Machine Name: " + state.printerName().toUtf8(),
                                  "Firmware: " + state.firmwareVersion().toUtf8(),
                                  "SN: " + state.serialNumber().toUtf8()});
}

bool LanSession::temperatures(const LanCommand &command)
{
    const LanPrinterState &state = *m_server.m_state;
    const QByteArray line = QByteArray("T0:") + QByteArray::number(state.currentExtruderTemp()) + " /"
                            + QByteArray::number(state.targetExtruderTemp()) + " B:"
                            + QByteArray::number(state.currentPlatformTemp()) + "/"
                            + QByteArray::number(state.targetPlatformTemp());
    return reply(command.name(), {line});
}

bool LanSession::status(const LanCommand &command)
{
    const LanPrinterState &state = *m_server.m_state;
    QList<QByteArray> lines{QByteArray("MachineStatus: ") + machineStatusName(state.machineStatus()),
                            QByteArray("MoveMode: ") + moveModeName(state.moveMode())};
    StringBrevik::EndStops stops;
    if (state.endStops(stops))
        lines << QByteArray("Endstop: X:") + (stops.x ? '1' : '0') + " Y:" + (stops.y ? '1' : '0')
                     + " Z:" + (stops.z ? '1' : '0');
    return reply(command.name(), lines);
}

bool LanSession::progress(const LanCommand &command)
{
    const int percent = qBound(0, int(m_server.m_state->printProgress()), 100);
    return reply(command.name(), {"SD printing byte " + QByteArray::number(percent) + "/100"});
}

bool LanSession::upload(const LanCommand &command)
{
    const QByteArray name = command.name();
    const int blank = command.args.indexOf(' ');
    bool sizeOk = false;
    const qint64 size = command.args.left(blank).toLongLong(&sizeOk);
    if (blank < 0 || !sizeOk || size <= 0)
        return replyError(name, "expected ~M28 <size> 0:/user/<name>");

    QByteArray error;
    const QString fileName = lanFileName(command.args.mid(blank + 1).trimmed(), &error);
    if (fileName.isEmpty())
        return replyError(name, error);

    const QString dataDir = m_server.m_dataDir;
    const qint64 freeBytes = myServer::check_free_space(QFile::encodeName(dataDir).constData());
    if (freeBytes < 0)
        return replyError(name, "cannot read free space");
    if (size > freeBytes)
        return replyError(name, "not enough storage space");

    UploadFile file(dataDir);
    if (!file.open(fileName, &error))
        return replyError(name, error);
    emit m_server.sig_dialogShow(trServer(QT_TRANSLATE_NOOP("myServer", "Receive file")));
    if (!send(lanReplyOpen(name) + lanReplyLine("Writing to file: " + fileName.toUtf8()))) {
        emit m_server.sig_dialogClose();
        return false;
    }

    const UploadReceiver::Result result =
        UploadReceiver::receive(m_stream, file, size, idleMs(), [this] {
            emit m_server.sig_dialogClose();
            emit m_server.sig_dialogShow(trServer(QT_TRANSLATE_NOOP("myServer", "CRC ERROR")));
        });

    switch (result.outcome) {
    case UploadReceiver::Received: {
        // The notice stays up until the file is really on the disk.
        const bool saved = file.commit(&error);
        emit m_server.sig_dialogClose();
        return send(lanReplyLine(saved ? QByteArray("Done saving file.") : "Error: " + error)
                    + lanReplyClose());
    }
    case UploadReceiver::CrcFailed:
        // The "CRC ERROR" notice stays until the client lets go.
        return send(lanReplyLine("Error: " + result.error) + lanReplyClose());
    case UploadReceiver::WriteFailed:
        emit m_server.sig_dialogClose();
        return send(lanReplyLine("Error: " + result.error) + lanReplyClose());
    case UploadReceiver::BadFrame:
        emit m_server.sig_dialogClose();
        send(lanReplyLine("Error: " + result.error) + lanReplyClose());
        return false;
    case UploadReceiver::TimedOut:
        emit m_server.sig_dialogClose();
        send(lanReplyLine("Error: upload timed out") + lanReplyClose());
        return false;
    case UploadReceiver::Disconnected:
        emit m_server.sig_dialogClose();
        return false;
    }
    return false;
}

bool LanSession::selectFile(const LanCommand &command)
{
    const QByteArray name = command.name();
    QByteArray error;
    const QString fileName = lanFileName(command.args, &error);
    if (fileName.isEmpty())
        return replyError(name, error);
    const QString path = m_server.m_dataDir + '/' + fileName;
    if (!QFileInfo(path).isFile() || !staysInside(m_server.m_dataDir, path))
        return replyError(name, "file not found");
    if (!m_server.m_state->claimPrint(path, &error))
        return replyError(name, error);
    emit m_server.sig_printFile(path);
    return reply(name, {"File selected: " + fileName.toUtf8()});
}
