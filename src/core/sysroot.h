#pragma once

#include <QString>
#include <QStringList>

// Every absolute device path of the program goes through here. On the printer
// the root is empty and paths stay as written; on a development host the
// environment variable PRINTER_SYSROOT names a folder that stands in for "/"
// (see sim/make-sandbox), so the same code runs against a simulated machine.
namespace SysRoot {

// The root prefix, without a trailing slash ("" on the device).
QString root();

// Overrides the root for this process (tests); an empty string means "/".
void setRoot(const QString &root);

// Maps a device path such as "/dev/ttyS2" into the root.
QString path(const QString &devicePath);
std::string pathStd(const std::string &devicePath);

// True when running inside a sandbox root rather than on the device.
bool isSandbox();

// The program to start for an external tool name ("mount", "wpa_cli", ...).
// In a sandbox only the root's stand-in folder "/sbin-standin" is used, so a
// host's real tools are never run by accident; on the device the name is left
// to the PATH search of the process starter.
QString tool(const QString &name);

} // namespace SysRoot
