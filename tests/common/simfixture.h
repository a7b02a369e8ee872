#pragma once

#include "sandbox.h"
#include "trywait.h"

#include <QString>
#include <QStringList>

class SerialObject;

// A throw-away machine (sim::Sandbox) that the program's own code is pointed
// at, with helpers to wait for and count the commands the board received.
class SimFixture {
public:
    explicit SimFixture(double timeScale = 1000.0);

    bool ok() const { return m_box.isValid(); }
    QString root() const { return m_box.root(); }
    sim::BoardSimulator &board() { return m_box.board(); }
    sim::Sandbox &sandbox() { return m_box; }

    // Waits (processing Qt events) until the board has received `command`.
    bool waitForCommand(const std::string &command, int timeoutMs = kTryWaitMs);
    int count(const std::string &command) const;
    // The received commands, without the queries the link polls with.
    QStringList motionCommands() const;

    // Waits (processing Qt events) until every request handed to `link` so
    // far has run, a closed page's included: an empty request runs behind
    // the commands, a reading behind the other readings.
    static bool waitForRequests(SerialObject *link, int timeoutMs = kTryWaitMs);

private:
    sim::Sandbox m_box;
};
