#pragma once

#include <QByteArray>

// Buffered reading and writing on a connected socket for one client thread.
// Every wait for data is bounded by an idle time and ends early when the
// server's wake pipe becomes readable (server shutting down).
class SocketStream {
public:
    enum Status { Ok, Closed, TimedOut, Stopped, TooLong, Failed };

    SocketStream(int fd, int wakeFd);

    // One line without its "\n" or "\r\n". A line longer than `maxLength`
    // is skipped up to its end and reported as TooLong, so the next line
    // starts clean.
    Status readLine(QByteArray *line, int maxLength, int idleMs);

    // Exactly `size` bytes into `out`.
    Status readExact(char *out, int size, int idleMs);

    bool writeAll(const QByteArray &data);

    // Ends our sending side, then reads and drops whatever the client still
    // sends until it closes, falls silent for `idleMs` or the server stops.
    void drainUntilClosed(int idleMs);

private:
    Status fill(int idleMs);

    int m_fd;
    int m_wakeFd;
    QByteArray m_buffer;
    int m_pos = 0; // first unread byte of m_buffer
};
