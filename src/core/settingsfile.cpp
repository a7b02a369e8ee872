#include "settingsfile.h"

#include "atomicfile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SettingsFile::ReadResult SettingsFile::read(const QString &path, qint64 maxBytes)
{
    ReadResult result;
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        result.problem = errnoText();
        return result;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        result.status = ReadStatus::Unreadable;
        result.problem = QStringLiteral("not a regular file");
        ::close(fd);
        return result;
    }
    if (status.st_size > maxBytes) {
        result.status = ReadStatus::TooLarge;
        result.problem = QStringLiteral("%1 bytes").arg(status.st_size);
        ::close(fd);
        return result;
    }
    // One byte more than allowed tells a file that grew while it was read.
    QByteArray text(static_cast<int>(maxBytes) + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, static_cast<size_t>(text.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.status = ReadStatus::Unreadable;
            result.problem = errnoText();
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > maxBytes) {
        result.status = ReadStatus::TooLarge;
        result.problem = QStringLiteral("more than %1 bytes").arg(maxBytes);
        return result;
    }
    text.truncate(static_cast<int>(got));
    result.status = ReadStatus::Read;
    result.text = text;
    return result;
}

SettingsFile::SettingsFile(std::function<Snapshot()> take)
    : m_take(std::move(take))
    , m_thread(&SettingsFile::writerLoop, this)
{
}

SettingsFile::~SettingsFile()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void SettingsFile::changed()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_changes;
    }
    m_wake.notify_all();
}

bool SettingsFile::waitWritten(int limitMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const std::uint64_t target = m_changes;
    if (!m_written.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return m_writtenUpTo >= target; }))
        return false;
    return m_lastWriteOk;
}

void SettingsFile::writerLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || m_writtenUpTo != m_changes; });
        if (m_writtenUpTo == m_changes)
            return; // stopping, and everything is written
        // Every change counted so far is in the document the snapshot takes,
        // as are later ones that slip in before it.
        const std::uint64_t upTo = m_changes;
        lock.unlock();
        const bool ok = write(m_take());
        lock.lock();
        m_writtenUpTo = upTo;
        m_lastWriteOk = ok;
        m_written.notify_all();
    }
}

bool SettingsFile::write(const Snapshot &snapshot)
{
    if (snapshot.path.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(snapshot.path).absolutePath());
    QString error;
    if (AtomicFile::write(snapshot.path, snapshot.text, &error))
        return true;
    qWarning() << "SettingsFile cannot save settings:" << error;
    return false;
}
