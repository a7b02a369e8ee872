#pragma once

#include <string>

// The raw serial port to the motion board: 115200 baud, 8N1, raw mode.
// Not thread-safe; the printer link serialises all use.
class Serial {
public:
    // Opens `device` (already mapped into the system root). Throws
    // std::runtime_error when the port cannot be opened or configured.
    explicit Serial(std::string device);
    ~Serial();
    Serial(const Serial &) = delete;
    Serial &operator=(const Serial &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool reopen();
    void close();

    // Discards everything received and not yet read.
    void flushInput();
    bool writeAll(const std::string &bytes);

    // Reads one line ending in '\n' (returned without "\r\n") within
    // `deadlineMs`; each wait for data lasts at most one second. A deadline
    // of 0 takes only a line that has already arrived.
    bool readLine(std::string &line, int deadlineMs);

private:
    bool openPort();

    std::string m_device;
    int m_fd = -1;
    std::string m_pending; // bytes read past the last complete line
};
