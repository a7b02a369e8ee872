#pragma once

#include "sysroot.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// A throw-away system root with the mount stand-ins installed.
class SandboxRoot {
public:
    SandboxRoot()
    {
        QVERIFY(m_dir.isValid());
        SysRoot::setRoot(m_dir.path());
        qputenv("PRINTER_SYSROOT", QFile::encodeName(m_dir.path()));
        QDir(m_dir.path()).mkpath(QStringLiteral("sbin-standin"));
        QDir(m_dir.path()).mkpath(QStringLiteral("media"));
        for (const QString &tool : {QStringLiteral("mount"), QStringLiteral("umount")})
            QFile::link(simTools() + QLatin1Char('/') + tool, path(QStringLiteral("/sbin-standin/") + tool));
    }

    ~SandboxRoot()
    {
        SysRoot::setRoot(QString());
        qunsetenv("PRINTER_SYSROOT");
    }

    static QString simTools() { return QString::fromLocal8Bit(qgetenv("PRINTER_SIM_TOOLS")); }

    QString path(const QString &devicePath) const { return m_dir.path() + devicePath; }

    QString read(const QString &devicePath) const
    {
        QFile file(path(devicePath));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(file.readAll());
    }

    void write(const QString &devicePath, const QByteArray &content, bool executable = false) const
    {
        QFileInfo(path(devicePath)).dir().mkpath(QStringLiteral("."));
        QFile file(path(devicePath));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    // The lines the stand-ins wrote, one call each.
    QStringList logLines() const { return read(QStringLiteral("/standin.log")).split('\n', Qt::SkipEmptyParts); }

    // Runs sim/usb-stick with `args`; true when it succeeded.
    static bool usbStick(const QStringList &args)
    {
        QProcess tool;
        tool.start(simTools() + QStringLiteral("/../usb-stick"), args);
        if (!tool.waitForFinished(kTryWaitMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
            qWarning() << "usb-stick" << args << tool.readAllStandardError();
            return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
};
