#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

// The program's side of the serial line, reduced to what the simulator's
// tests need: raw frames out, reply lines in, with deadlines.
class PtyClient {
public:
    explicit PtyClient(const QString &device) { open(device); }
    ~PtyClient() { close(); }

    bool open(const QString &device)
    {
        m_fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (m_fd < 0)
            return false;
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B115200);
        ::tcsetattr(m_fd, TCSANOW, &tio);
        return true;
    }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_pending.clear();
    }
    bool isOpen() const { return m_fd >= 0; }

    void writeRaw(const QByteArray &bytes) { (void)::write(m_fd, bytes.constData(), bytes.size()); }
    void send(const QByteArray &command) { writeRaw('~' + command + "\r\n"); }

    // The next reply line without its "\n"; a null array when none came in time.
    QByteArray readLine(int timeoutMs = 2000)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            const int newline = m_pending.indexOf('\n');
            if (newline >= 0) {
                const QByteArray line = m_pending.left(newline);
                m_pending.remove(0, newline + 1);
                return line;
            }
            const int left = timeoutMs - static_cast<int>(clock.elapsed());
            pollfd pfd{m_fd, POLLIN, 0};
            if (left <= 0 || ::poll(&pfd, 1, left) <= 0)
                return QByteArray();
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0)
                m_pending.append(buffer, static_cast<int>(n));
        }
    }

    QByteArray exchange(const QByteArray &command, int timeoutMs = 2000)
    {
        send(command);
        return readLine(timeoutMs);
    }

private:
    int m_fd = -1;
    QByteArray m_pending;
};
