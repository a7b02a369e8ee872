#pragma once

#include <QByteArray>
#include <QString>

// Small attribute files of /sys (GPIO, PWM): each value is written with one
// write call, as the kernel expects, and read back as trimmed text.
namespace SysfsFile {

bool write(const QString &path, const QByteArray &value);

// Returns false when the file cannot be read.
bool read(const QString &path, QByteArray *value);

} // namespace SysfsFile
