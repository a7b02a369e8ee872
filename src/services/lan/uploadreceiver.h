#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>

class SocketStream;
class UploadFile;

// Reads the framed data of one upload from the client and writes the
// payloads to the upload's file. After a failed CRC check or write it goes on
// reading (and dropping) the announced blocks, so that the command stream
// stays in step and the client gets its reply; only a broken frame, which
// leaves no way to find the next command, ends the connection.
class UploadReceiver {
public:
    enum Outcome {
        Received,      // all bytes arrived and checked out (not yet committed)
        CrcFailed,     // a payload did not match its CRC; the rest was read
        WriteFailed,   // the disk refused data; the rest was read
        BadFrame,      // wrong magic, counter or length: the stream is lost
        TimedOut,      // the client stopped sending
        Disconnected   // the connection closed or the server is stopping
    };

    struct Result {
        Outcome outcome = Received;
        quint32 block = 0;  // the failing block for CrcFailed and BadFrame
        QByteArray error;   // text for the client's reply
    };

    // The slowest pace an upload may keep, on average, once its first
    // `idleMs` have passed; far below any real network.
    static constexpr qint64 kMinBytesPerSecond = 4096;

    // `onCrcFailure` runs the moment a block fails its check, before the rest
    // is read (the screen shows it at once). TimedOut when no data come for
    // `idleMs`, or when the upload falls behind the minimum pace, so that a
    // client trickling data cannot keep the printer.
    static Result receive(SocketStream &stream, UploadFile &file, qint64 size, int idleMs,
                          const std::function<void()> &onCrcFailure);
};
