#include "sandbox.h"

#include <QFile>
#include <QProcess>

namespace sim {

Sandbox::Sandbox(double boardTimeScale)
    : m_board(m_dir.path().toStdString())
{
    if (!m_dir.isValid())
        return;
    QProcess maker;
    maker.setProcessChannelMode(QProcess::ForwardedChannels);
    maker.start(QStringLiteral("/bin/sh"), {makerScript(), m_dir.path()});
    if (!maker.waitForFinished(60000) || maker.exitStatus() != QProcess::NormalExit
        || maker.exitCode() != 0)
        return;
    m_board.setTimeScale(boardTimeScale);
    m_valid = m_board.start();
}

Sandbox::~Sandbox()
{
    m_board.stop();
}

QList<QStringList> Sandbox::standinCalls() const
{
    QList<QStringList> calls;
    QFile log(path(QStringLiteral("/standin.log")));
    if (!log.open(QIODevice::ReadOnly))
        return calls;
    for (const QByteArray &line : log.readAll().split('\n')) {
        if (!line.isEmpty())
            calls << QString::fromUtf8(line).split(QLatin1Char('\t'));
    }
    return calls;
}

QString Sandbox::makerScript()
{
    return QStringLiteral(SIM_MAKE_SANDBOX_SCRIPT);
}

} // namespace sim
