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

Result run(const QString &tool, const QStringList &args, int timeoutMs)
{
    Result result;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    passRoot(process);
    process.start(SysRoot::tool(tool), args, QIODevice::ReadOnly);
    if (!process.waitForStarted(5000)) {
        qWarning() << "ProcessRunner::run cannot start" << tool << process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        qWarning() << "ProcessRunner::run timeout, killing" << tool;
        process.kill();
        process.waitForFinished(2000);
        result.output = process.readAllStandardOutput();
        return result;
    }
    result.output = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    if (!err.isEmpty())
        qDebug() << "ProcessRunner::run" << tool << "stderr:" << err.trimmed();
    result.normalExit = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    return result;
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
