#include "uploadfile.h"

#include "atomicfile.h"
#include "filestamp.h"
#include "uploadname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char kTempPrefix[] = ".lanupload-";

QByteArray errnoText(const char *what)
{
    return QByteArray(what) + ": " + QByteArray(std::strerror(errno));
}
} // namespace

UploadFile::UploadFile(const QString &dataDir)
    : m_dataDir(dataDir)
{
}

UploadFile::~UploadFile()
{
    discard();
}

bool UploadFile::open(const QString &name, QByteArray *error)
{
    discard();
    const QString finalPath = m_dataDir + '/' + name;
    if (!staysInside(m_dataDir, finalPath)) {
        *error = "file name leaves the data folder";
        return false;
    }
    QByteArray templ = QFile::encodeName(m_dataDir) + '/' + kTempPrefix + "XXXXXX";
    const int fd = ::mkostemp(templ.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = errnoText("cannot create file");
        return false;
    }
    // mkostemp creates owner-only files; received files are ordinary ones.
    ::fchmod(fd, 0644);
    m_fd = fd;
    m_tempPath = templ;
    m_finalPath = finalPath;
    return true;
}

bool UploadFile::write(const char *data, int size, QByteArray *error)
{
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = errnoText("cannot write file");
            return false;
        }
        data += n;
        size -= int(n);
    }
    return true;
}

bool UploadFile::commit(QByteArray *error)
{
    if (::fsync(m_fd) != 0) {
        *error = errnoText("cannot write file");
        discard();
        return false;
    }
    ::close(m_fd);
    m_fd = -1;
    if (::rename(m_tempPath.constData(), QFile::encodeName(m_finalPath).constData()) != 0) {
        *error = errnoText("cannot save file");
        discard();
        return false;
    }
    m_tempPath.clear();
    // The stamp flushes the file and its folder; without it the rename still
    // has to reach the disk.
    if (!FileStamp::stampNewFile(QFile::encodeName(m_finalPath).toStdString(),
                                 FileStamp::Counter::LanServer)) {
        qWarning("uploadfile.cpp %s: no order stamp for %s", __func__, qPrintable(m_finalPath));
        AtomicFile::syncFolder(QFileInfo(m_finalPath).absolutePath());
    }
    return true;
}

void UploadFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.isEmpty()) {
        ::unlink(m_tempPath.constData());
        m_tempPath.clear();
    }
}

void UploadFile::removeLeftovers(const QString &dataDir)
{
    QDir dir(dataDir);
    const QStringList leftovers = dir.entryList({QString::fromLatin1(kTempPrefix) + '*'},
                                                QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        dir.remove(name);
}
