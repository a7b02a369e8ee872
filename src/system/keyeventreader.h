#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <thread>

// Reads a keyboard-like input event device (a barcode scanner) on a thread of
// its own and hands every code that ends with Enter to a callback. Digits and
// letters are mapped from their key codes, letters always in upper case; any
// other key adds nothing. A code longer than a serial number can be is not
// kept: only the fact that it was too long is reported.
class KeyEventReader {
public:
    typedef std::map<int8_t, char> keymap_t;

    // Longer than any serial-number label, and short enough that "Printer "
    // and the number fit the 116-byte name of the LAN discovery record.
    static constexpr int kMaxCodeLength = 64;

    KeyEventReader();
    ~KeyEventReader();

    // Opens `dev` and starts the reader. 1 on success (also when it already
    // runs), the negated errno when the device cannot be opened or is no key
    // device, 0 when the thread cannot start. `onCode` and `onTooLong` run on
    // the reader thread.
    int start(const QString &dev, std::function<void(const QString &)> onCode, std::function<void()> onTooLong);
    // Stops and joins the reader and closes the device; safe to repeat.
    void stop();

    bool isRunning() const { return m_thread.joinable(); }
    static const keymap_t &keymap();

private:
    KeyEventReader(const KeyEventReader &) = delete;
    KeyEventReader &operator=(const KeyEventReader &) = delete;

    void run(std::function<void(const QString &)> onCode, std::function<void()> onTooLong);
    void closeAll();

    int m_fd = -1;
    int m_wakeFd = -1; // an eventfd that ends the blocking wait on stop
    std::thread m_thread;
};
