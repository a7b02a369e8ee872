#include "log.h"

#include "sysroot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace {

const int kKeptPredecessors = 9;

QMutex logMutex;
QFile logFile;
Log::Level minimumLevel = Log::Level::Critical;
qint64 rotationSize = 1024000;
bool handlerInstalled = false;
QtMessageHandler previousHandler = nullptr;

Log::Level levelOf(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
    case QtInfoMsg: return Log::Level::Debug;
    case QtWarningMsg: return Log::Level::Warning;
    case QtCriticalMsg: return Log::Level::Critical;
    case QtFatalMsg: return Log::Level::Fatal;
    }
    return Log::Level::Critical;
}

const char *tagOf(Log::Level level)
{
    switch (level) {
    case Log::Level::Debug: return " <DEBUG> ";
    case Log::Level::Warning: return " <WARNING> ";
    case Log::Level::Critical: return " <CRITICAL> ";
    case Log::Level::Fatal: return " <FATAL> ";
    }
    return " <CRITICAL> ";
}

// <name>.log -> <name>.log.1 -> ... -> <name>.log.9, the oldest dropped.
// The caller holds logMutex and the file is open.
void rotateLocked()
{
    const QString base = logFile.fileName();
    logFile.close();
    QFile::remove(base + QLatin1Char('.') + QString::number(kKeptPredecessors));
    for (int i = kKeptPredecessors - 1; i >= 1; --i)
        QFile::rename(base + QLatin1Char('.') + QString::number(i),
                      base + QLatin1Char('.') + QString::number(i + 1));
    QFile::rename(base, base + QStringLiteral(".1"));
    logFile.setFileName(base);
    logFile.open(QIODevice::WriteOnly | QIODevice::Append);
}

void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    Log::write(type, message);
}

} // namespace

namespace Log {

Level levelFromArgument(const QString &argument)
{
    if (argument == QLatin1String("-1"))
        return Level::Debug;
    if (argument == QLatin1String("-2"))
        return Level::Warning;
    if (argument == QLatin1String("-4"))
        return Level::Fatal;
    return Level::Critical;
}

bool open(const QStringList &options, const QString &program, QString *error)
{
    QMutexLocker lock(&logMutex);
    if (logFile.isOpen())
        logFile.close();
    minimumLevel = levelFromArgument(options.value(0));

    const QString folder = SysRoot::path(QStringLiteral("/opt/PROGRAM/log"));
    QDir().mkpath(folder);
    const QString name = program.isEmpty() ? QCoreApplication::applicationName() : program;
    logFile.setFileName(folder + QLatin1Char('/') + name + QStringLiteral(".log"));
    if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = logFile.fileName() + QStringLiteral(": ") + logFile.errorString();
        logFile.setFileName(QString());
        return false;
    }
    if (options.value(1) == QLatin1String("-D") && !handlerInstalled) {
        previousHandler = qInstallMessageHandler(messageHandler);
        handlerInstalled = true;
    }
    return true;
}

void close()
{
    QMutexLocker lock(&logMutex);
    if (handlerInstalled) {
        qInstallMessageHandler(previousHandler);
        handlerInstalled = false;
        previousHandler = nullptr;
    }
    logFile.close();
    logFile.setFileName(QString());
}

void write(QtMsgType type, const QString &message)
{
    const Level level = levelOf(type);
    QMutexLocker lock(&logMutex);
    if (level < minimumLevel || !logFile.isOpen())
        return;
    if (logFile.size() >= rotationSize) {
        rotateLocked();
        if (!logFile.isOpen())
            return;
    }
    const QString line = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz"))
        + QLatin1String(tagOf(level)) + message + QLatin1Char('\n');
    logFile.write(line.toUtf8());
    logFile.flush();
}

QString filePath()
{
    QMutexLocker lock(&logMutex);
    return logFile.isOpen() ? logFile.fileName() : QString();
}

void setRotationSize(qint64 bytes)
{
    QMutexLocker lock(&logMutex);
    rotationSize = bytes;
}

} // namespace Log
