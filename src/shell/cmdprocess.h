#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// Runs one external command (the about page copies the log folder to the USB
// stick with it) while the busy notice shows "Copying...", flushes what it
// wrote to the medium, then reports the outcome in a modal "Copy" dialog and
// deletes itself. Only a normal exit with status 0 counts as a complete copy.
class CmdProcess : public QObject {
    Q_OBJECT
public:
    explicit CmdProcess(QObject *parent = nullptr);
    ~CmdProcess() override;

    // Starts `program` with `args` (an argument list, never a shell line).
    void executeCmd(const QString &program, const QStringList &args);

    static CmdProcess *instCmdProcess;

private:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void report(bool success);

    QProcess *m_process;
};
