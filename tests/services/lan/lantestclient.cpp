#include "lantestclient.h"

#include "lan/uploadblock.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

LanTestClient::~LanTestClient()
{
    close();
}

bool LanTestClient::connectTo(quint16 port)
{
    close();
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    timeval timeout{10, 0};
    ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
}

void LanTestClient::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
}

bool LanTestClient::sendRaw(const QByteArray &data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(m_fd, data.constData() + done, size_t(data.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QByteArray LanTestClient::readLine()
{
    for (;;) {
        const int end = m_buffer.indexOf('\n');
        if (end >= 0) {
            const QByteArray line = m_buffer.left(end + 1);
            m_buffer.remove(0, end + 1);
            return line;
        }
        char chunk[4096];
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n <= 0) {
            const QByteArray rest = m_buffer;
            m_buffer.clear();
            return rest;
        }
        m_buffer.append(chunk, int(n));
    }
}

QByteArray LanTestClient::readReply()
{
    QByteArray reply;
    for (;;) {
        const QByteArray line = readLine();
        reply += line;
        if (line.isEmpty() || line == "ok\r\n")
            return reply;
    }
}

QByteArray LanTestClient::command(const QByteArray &command)
{
    if (!sendRaw("~" + command + "\r\n"))
        return QByteArray();
    return readReply();
}

QByteArray LanTestClient::blocks(const QByteArray &data, int blockSize, int corruptBlock)
{
    QByteArray framed;
    for (int offset = 0, index = 0; offset < data.size(); offset += blockSize, ++index) {
        QByteArray payload = data.mid(offset, blockSize);
        QByteArray block = UploadBlock::encode(quint32(index), payload);
        if (index == corruptBlock)
            block[UploadBlock::kHeaderSize] = char(block[UploadBlock::kHeaderSize] ^ 0x55);
        framed += block;
    }
    return framed;
}

QByteArray LanTestClient::upload(const QByteArray &name, const QByteArray &data, int corruptBlock,
                                 int blockSize)
{
    sendRaw("~M28 " + QByteArray::number(data.size()) + " 0:/user/" + name + "\r\n");
    QByteArray reply = readLine();
    const QByteArray next = readLine();
    reply += next;
    if (!next.startsWith("Writing to file"))
        return next == "ok\r\n" ? reply : reply + readReply();
    sendRaw(blocks(data, blockSize, corruptBlock));
    return reply + readReply();
}
