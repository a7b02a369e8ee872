#include "sysroot.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex rootMutex;
bool rootOverridden = false;
QString rootOverride;

QString cleanRoot(QString r)
{
    while (r.endsWith('/'))
        r.chop(1);
    return r;
}
} // namespace

namespace SysRoot {

QString root()
{
    QMutexLocker lock(&rootMutex);
    if (rootOverridden)
        return rootOverride;
    return cleanRoot(QString::fromLocal8Bit(qgetenv("PRINTER_SYSROOT")));
}

void setRoot(const QString &r)
{
    QMutexLocker lock(&rootMutex);
    rootOverridden = true;
    rootOverride = cleanRoot(r);
}

QString path(const QString &devicePath)
{
    const QString r = root();
    if (r.isEmpty() || !devicePath.startsWith('/'))
        return devicePath;
    return r + devicePath;
}

std::string pathStd(const std::string &devicePath)
{
    return path(QString::fromStdString(devicePath)).toStdString();
}

bool isSandbox()
{
    return !root().isEmpty();
}

QString tool(const QString &name)
{
    if (!isSandbox())
        return name;
    return root() + QStringLiteral("/sbin-standin/") + name;
}

} // namespace SysRoot
