#pragma once

#include <QByteArray>
#include <QDeadlineTimer>

// Buffered reading and writing on a connected socket for one client thread.
// Every read ends by its deadline however the data trickle in (a client
// cannot stretch a wait by sending a byte now and then), and ends early when
// the server's wake pipe becomes readable (server shutting down).
class SocketStream {
public:
    enum Status { Ok, Closed, TimedOut, Stopped, TooLong, Failed };

    SocketStream(int fd, int wakeFd);

    // One line without its "\n" or "\r\n". A line longer than `maxLength`
    // is skipped up to its end and reported as TooLong, so the next line
    // starts clean.
    Status readLine(QByteArray *line, int maxLength, QDeadlineTimer deadline);

    // Exactly `size` bytes into `out`.
    Status readExact(char *out, int size, QDeadlineTimer deadline);

    bool writeAll(const QByteArray &data);

    // Ends our sending side, then reads and drops whatever the client still
    // sends until it closes, the deadline passes or the server stops.
    void drainUntilClosed(QDeadlineTimer deadline);

private:
    Status fill(QDeadlineTimer deadline);

    int m_fd;
    int m_wakeFd;
    QByteArray m_buffer;
    int m_pos = 0; // first unread byte of m_buffer
};
