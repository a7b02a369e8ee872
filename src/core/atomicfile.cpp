#include "atomicfile.h"
#include "backgroundflush.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool fail(QString *error, const QString &what)
{
    if (error)
        *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

namespace AtomicFile {

bool syncFolder(const QString &folderPath)
{
    const int fd = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void syncFolderInBackground(const QString &folderPath)
{
    BackgroundFlush::start([folderPath] { syncFolder(folderPath); });
}

QByteArray temporaryName(const QString &path)
{
    return QFile::encodeName(path) + ".tmp";
}

void removeTemporary(const QString &path)
{
    ::unlink(temporaryName(path).constData());
}

bool write(const QString &path, const QByteArray &data, QString *error)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = temporaryName(path);

    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(error, QStringLiteral("cannot create ") + QFile::decodeName(temp));
    if (!writeAll(fd, data) || ::fsync(fd) != 0) {
        fail(error, QStringLiteral("cannot write ") + QFile::decodeName(temp));
        ::close(fd);
        ::unlink(temp.constData());
        return false;
    }
    if (::close(fd) != 0) {
        fail(error, QStringLiteral("cannot close ") + QFile::decodeName(temp));
        ::unlink(temp.constData());
        return false;
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        fail(error, QStringLiteral("cannot rename over ") + path);
        ::unlink(temp.constData());
        return false;
    }
    if (!syncFolder(QFileInfo(path).absolutePath()))
        return fail(error, QStringLiteral("cannot flush the folder of ") + path);
    return true;
}

} // namespace AtomicFile
