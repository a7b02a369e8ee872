#include "uploadreceiver.h"

#include "socketstream.h"
#include "uploadblock.h"
#include "uploadfile.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>

namespace {
UploadReceiver::Result failure(UploadReceiver::Outcome outcome, quint32 block, const QByteArray &error)
{
    UploadReceiver::Result result;
    result.outcome = outcome;
    result.block = block;
    result.error = error;
    return result;
}

UploadReceiver::Outcome streamOutcome(SocketStream::Status status)
{
    return status == SocketStream::TimedOut ? UploadReceiver::TimedOut
                                            : UploadReceiver::Disconnected;
}

// When the bytes up to `received` must have arrived: within the idle time,
// and no later than the minimum pace allows from the upload's start.
QDeadlineTimer dueBy(const QElapsedTimer &started, qint64 received, int idleMs)
{
    const qint64 paceMs = idleMs + received * 1000 / UploadReceiver::kMinBytesPerSecond - started.elapsed();
    return QDeadlineTimer(qBound<qint64>(0, paceMs, idleMs));
}
} // namespace

UploadReceiver::Result UploadReceiver::receive(SocketStream &stream, UploadFile &file, qint64 size,
                                               int idleMs, const std::function<void()> &onCrcFailure)
{
    Result result; // the first failure of a block that can be read past
    char header[UploadBlock::kHeaderSize];
    QByteArray payload(UploadBlock::kMaxPayload, Qt::Uninitialized);
    qint64 left = size;
    qint64 received = 0; // headers included
    QElapsedTimer started;
    started.start();
    for (quint32 index = 0; left > 0; ++index) {
        received += sizeof header;
        SocketStream::Status status = stream.readExact(header, sizeof header, dueBy(started, received, idleMs));
        if (status != SocketStream::Ok)
            return failure(streamOutcome(status), index, "upload interrupted");

        const UploadBlock::Header h = UploadBlock::decodeHeader(header);
        if (h.magic != UploadBlock::kMagic)
            return failure(BadFrame, index, "bad block header in block " + QByteArray::number(index));
        if (h.index != index)
            return failure(BadFrame, index, "block " + QByteArray::number(h.index) + " out of order, expected "
                                                + QByteArray::number(index));
        if (h.length == 0 || h.length > quint32(UploadBlock::kMaxPayload) || qint64(h.length) > left)
            return failure(BadFrame, index, "bad block length in block " + QByteArray::number(index));

        const int length = int(h.length);
        received += length;
        status = stream.readExact(payload.data(), length, dueBy(started, received, idleMs));
        if (status != SocketStream::Ok)
            return failure(streamOutcome(status), index, "upload interrupted");
        left -= length;

        if (result.outcome != Received)
            continue; // dropping the rest of a failed upload
        if (UploadBlock::crc32(payload.constData(), length) != h.crc) {
            file.discard();
            result = failure(CrcFailed, index, "CRC check failed in block " + QByteArray::number(index));
            onCrcFailure();
            continue;
        }
        QByteArray writeError;
        if (!file.write(payload.constData(), length, &writeError)) {
            file.discard();
            result = failure(WriteFailed, index, writeError);
        }
    }
    return result;
}
