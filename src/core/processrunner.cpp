#include "processrunner.h"
#include "sysroot.h"

#include <QDebug>
#include <QProcess>

namespace ProcessRunner {

void passRoot(QProcess &process)
{
    if (!SysRoot::isSandbox())
        return;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PRINTER_SYSROOT"), SysRoot::root());
    process.setProcessEnvironment(env);
}

namespace {
Result runProgram(const QString &program, const QStringList &args, const QString &workingDir, int timeoutMs)
{
    Result result;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    passRoot(process);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, args, QIODevice::ReadOnly);
    if (!process.waitForStarted(5000)) {
        qWarning() << "ProcessRunner::run cannot start" << program << process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        qWarning() << "ProcessRunner::run timeout, killing" << program;
        process.kill();
        process.waitForFinished(2000);
        result.output = process.readAllStandardOutput();
        return result;
    }
    result.output = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    if (!err.isEmpty())
        qDebug() << "ProcessRunner::run" << program << "stderr:" << err.trimmed();
    result.normalExit = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    return result;
}
} // namespace

Result run(const QString &tool, const QStringList &args, int timeoutMs)
{
    return runProgram(SysRoot::tool(tool), args, QString(), timeoutMs);
}

Result runScript(const QString &script, const QString &workingDir, int timeoutMs)
{
    return runProgram(QStringLiteral("/bin/sh"), {script}, workingDir, timeoutMs);
}

bool startDetached(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.setProgram(SysRoot::tool(tool));
    process.setArguments(args);
    passRoot(process);
    const bool ok = process.startDetached();
    if (!ok)
        qWarning() << "ProcessRunner::startDetached cannot start" << tool;
    return ok;
}

} // namespace ProcessRunner
