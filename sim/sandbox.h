#pragma once

#include "boardsim.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace sim {

// A throw-away machine for tests: a temporary root laid out by
// make-sandbox.sh (device files, sysfs stand-ins, program folders, sample
// prints, stand-in tools) with a simulated motion board running on it in fast
// mode. Tests point the program at it themselves (SysRoot::setRoot(root())).
class Sandbox {
public:
    explicit Sandbox(double boardTimeScale = 1000.0);
    ~Sandbox();
    Sandbox(const Sandbox &) = delete;
    Sandbox &operator=(const Sandbox &) = delete;

    bool isValid() const { return m_valid; } // laid out and the board is running
    QString root() const { return m_dir.path(); }
    QString path(const QString &devicePath) const { return root() + devicePath; }
    BoardSimulator &board() { return m_board; }

    // The calls the stand-in tools recorded: the tool name, then its arguments.
    QList<QStringList> standinCalls() const;

    static QString makerScript();

private:
    QTemporaryDir m_dir;
    BoardSimulator m_board;
    bool m_valid = false;
};

} // namespace sim
