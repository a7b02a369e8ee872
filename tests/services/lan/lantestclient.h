#pragma once

#include <QByteArray>
#include <QString>

// A blocking client of the LAN protocol on 127.0.0.1 for tests and the
// benchmark. Every read gives up after a few seconds so a fault never hangs.
class LanTestClient {
public:
    LanTestClient() = default;
    ~LanTestClient();

    bool connectTo(quint16 port);
    void close();

    bool sendRaw(const QByteArray &data);
    // Sends "~<command>\r\n" and returns the reply up to its closing "ok"
    // (or whatever came before the connection ended).
    QByteArray command(const QByteArray &command);
    QByteArray readReply();
    QByteArray readLine();

    // Whole upload: M28, blocks of `blockSize`, final reply. Block
    // `corruptBlock` (if >= 0) goes out with one payload byte flipped.
    QByteArray upload(const QByteArray &name, const QByteArray &data, int corruptBlock = -1,
                      int blockSize = 4096);
    // Frames `data` as upload blocks counted from 0.
    static QByteArray blocks(const QByteArray &data, int blockSize, int corruptBlock = -1);

private:
    int m_fd = -1;
    QByteArray m_buffer;
};
