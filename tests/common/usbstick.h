#pragma once

#include <QDebug>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Plugs or pulls the simulated USB stick of the sandbox at `root` through
// sim/usb-stick ("plug FOLDER" or "unplug"); the program's own hot-plug
// handling then mounts or forgets it.
inline bool usbStick(const QString &root, const QStringList &args)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PRINTER_SYSROOT", root);
    tool.setProcessEnvironment(env);
    tool.start(qEnvironmentVariable("PRINTER_SIM_TOOLS") + "/../usb-stick", args);
    if (!tool.waitForFinished(kTryWaitMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        qWarning() << "usb-stick" << args << tool.readAllStandardError();
        return false;
    }
    return true;
}
