#pragma once

#include <QString>

// One sysfs GPIO pin (/sys/class/gpio/gpio<N>). The buffer-check line of the
// printer link is an input watched with poll(); the motion board's reset line
// is an output that is pulsed after a reflash.
class Gpio {
public:
    enum class Direction { In, Out };

    explicit Gpio(int pin);
    ~Gpio();
    Gpio(const Gpio &) = delete;
    Gpio &operator=(const Gpio &) = delete;

    int pin() const { return m_pin; }

    // Makes the pin's folder appear; a pin exported before counts as success.
    bool exportPin();
    bool setDirection(Direction direction);
    // "none", "rising", "falling" or "both".
    bool setEdge(const QString &edge);

    // The level (0 or 1) read from the value file; -1 on error.
    int value() const;
    bool setValue(int level);

    // Drives the output to 1 for `ms` (scaled by TimeScale), then back to 0.
    bool pulse(int ms);

    // Opens the value file and keeps it open for poll() (POLLPRI | POLLERR
    // signals an edge); returns the descriptor or -1. Reopens nothing when
    // already open.
    int openValueFd();
    int valueFd() const { return m_valueFd; }
    // Re-reads the level through the kept descriptor from offset 0, which
    // also acknowledges the edge for the next poll(); opens the descriptor
    // first when it is not open yet (the pin may appear late). -1 on error.
    int readValue();

private:
    QString pinFolder() const;
    QString attributePath(const char *attribute) const;
    static int parseLevel(char c);

    int m_pin;
    int m_valueFd = -1;
};
