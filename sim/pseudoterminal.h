#pragma once

#include <string>

namespace sim {

// The board's end of the serial line: a raw pseudo-terminal whose slave a
// link (the sandbox's /dev/ttyS2) points to. A slave descriptor stays open
// here for the terminal's whole life, so the master never sees a hang-up when
// the program closes and reopens the port.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens the terminal and points `linkPath` at its slave (replacing an old link).
    bool open(const std::string &linkPath);
    void close();

    int masterFd() const { return m_master; }
    std::string slavePath() const { return m_slavePath; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_linkPath;
};

} // namespace sim
