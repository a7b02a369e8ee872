#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QProcess;

// Starts external programs with an argument list, never through a shell, so
// that names from a USB stick or the network can never run anything. The
// program name is resolved by SysRoot::tool (the sandbox's stand-ins on a host).
namespace ProcessRunner {

struct Result {
    bool started = false;   // false: the program could not be started
    bool normalExit = false;
    int exitCode = -1;
    QByteArray output;      // standard output (standard error goes to the log)

    bool ok() const { return started && normalExit && exitCode == 0; }
};

// Runs `tool` with `args` and waits at most `timeoutMs` (killing it after).
Result run(const QString &tool, const QStringList &args, int timeoutMs = 30000);

// Runs the shell script `script` (a file of an update package, not a system
// tool) with /bin/sh in `workingDir`, waiting at most `timeoutMs`.
Result runScript(const QString &script, const QString &workingDir, int timeoutMs);

// Stand-in tools find the sandbox through the variable the program read; a
// root set inside this process (tests) is passed on to `process` here.
void passRoot(QProcess &process);

// Starts `tool` detached (daemons such as wpa_supplicant); true when started.
bool startDetached(const QString &tool, const QStringList &args);

} // namespace ProcessRunner
