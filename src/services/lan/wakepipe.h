#pragma once

// A pipe that becomes readable, for good, once wake() is called. Blocking
// loops poll its read end next to their socket, so a destructor can stop
// every thread without cancelling any of them.
class WakePipe {
public:
    WakePipe();
    ~WakePipe();
    WakePipe(const WakePipe &) = delete;
    WakePipe &operator=(const WakePipe &) = delete;

    bool isValid() const { return m_fds[0] >= 0; }
    int readFd() const { return m_fds[0]; }
    void wake();

private:
    int m_fds[2] = {-1, -1};
};
