#include "sysfsfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace SysfsFile {

bool write(const QString &path, const QByteArray &value)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ssize_t n;
    do {
        n = ::write(fd, value.constData(), static_cast<size_t>(value.size()));
    } while (n < 0 && errno == EINTR);
    const bool closed = ::close(fd) == 0;
    return n == value.size() && closed;
}

bool read(const QString &path, QByteArray *value)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *value = file.read(4096).trimmed();
    return true;
}

} // namespace SysfsFile
