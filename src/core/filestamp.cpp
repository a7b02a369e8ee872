#include "filestamp.h"

#include "atomicfile.h"
#include "config.h"
#include "sysroot.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegExp>

#include <cerrno>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const kStampFormat = "yyyyMMddhhmm.ss";
const char *const kFirstStamp = "202001010101.01";
// The printer's file times are signed 32-bit seconds from 1970, which end on
// 2038-01-19 (UTC); a stamp later than this, read as local time in any time
// zone, would wrap round to 1901 or 1970. Stamps stop here, and a counter
// beyond it was never handed out.
const char *const kLastStamp = "203801170000.00";

// Both counters and the stamped files are shared by the copy paths and the
// LAN server's thread: one lock hands out one stamp at a time.
std::mutex stampMutex;

QString lanCounterPath()
{
    return SysRoot::path(QStringLiteral("/opt/PROGRAM/config/sysDateForFile.conf"));
}

// Stamps are calendar values like touch's dates; the arithmetic runs in UTC
// so that no daylight-saving gap or repeat can disturb the order.
QDateTime parseCalendar(const std::string &stamp)
{
    QRegExp pattern(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(\\d{2})(\\d{2})\\.(\\d{2})$"));
    if (!pattern.exactMatch(QString::fromStdString(stamp).trimmed()))
        return QDateTime();
    const QDate date(pattern.cap(1).toInt(), pattern.cap(2).toInt(), pattern.cap(3).toInt());
    const QTime time(pattern.cap(4).toInt(), pattern.cap(5).toInt(), pattern.cap(6).toInt());
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

const QDateTime &lastStamp()
{
    static const QDateTime last = parseCalendar(kLastStamp);
    return last;
}

// A stamp this program can have handed out; invalid otherwise.
QDateTime parseStamp(const std::string &stamp)
{
    const QDateTime parsed = parseCalendar(stamp);
    return parsed.isValid() && parsed <= lastStamp() ? parsed : QDateTime();
}

QDateTime parseOrFirst(const std::string &stamp)
{
    const QDateTime parsed = parseStamp(stamp);
    return parsed.isValid() ? parsed : parseStamp(kFirstStamp);
}

// The current local time as a stamp (a calendar value, like the stored ones).
QDateTime nowAsStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    return QDateTime(now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}

std::string formatStamp(const QDateTime &when)
{
    return when.toString(QLatin1String(kStampFormat)).toStdString();
}

std::string readLanCounter()
{
    QFile file(lanCounterPath());
    if (!file.open(QIODevice::ReadOnly))
        return std::string();
    return QString::fromLatin1(file.readLine(64)).trimmed().toStdString();
}

bool writeLanCounter(const std::string &stamp)
{
    const QString path = lanCounterPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!AtomicFile::write(path, QByteArray::fromStdString(stamp + "\n"), &error)) {
        qWarning() << "FileStamp::writeLanCounter" << error;
        return false;
    }
    return true;
}

// Sets access and modification time to the stamp read as local time, the
// way touch -d reads a date.
bool setFileTime(const std::string &path, const QDateTime &stamp)
{
    const QDateTime local(stamp.date(), stamp.time(), Qt::LocalTime);
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(local.toSecsSinceEpoch());
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

// Flushes the file's inode (its new time) and its folder's entry: enough for
// this one file, where a sync() would wait for every write of every medium.
bool flushFile(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed && AtomicFile::syncFolder(QFileInfo(QFile::decodeName(path.c_str())).absolutePath());
}

} // namespace

namespace FileStamp {

std::string nextStamp(const std::string &stamp)
{
    return formatStamp(qMin(parseOrFirst(stamp).addSecs(1), lastStamp()));
}

bool stampNewFile(const std::string &path, Counter counter)
{
    std::lock_guard<std::mutex> lock(stampMutex);
    const QDateTime fromSettings = parseOrFirst(Config::getInstance()->getModifyTime());
    const QDateTime fromLan = parseOrFirst(readLanCounter());
    // Files that arrive with today's date (the sample prints, anything a
    // shell copied) must not list above a new one: never stamp before now.
    const std::string stamp =
        formatStamp(qMin(qMax(qMax(fromSettings, fromLan).addSecs(1), nowAsStamp()), lastStamp()));

    if (!setFileTime(path, parseStamp(stamp))) {
        qWarning() << "FileStamp::stampNewFile cannot set the time of"
                   << QString::fromStdString(path) << "-" << strerror(errno);
        return false;
    }
    // Make the new time stick before the counter says it was handed out.
    if (!flushFile(path))
        qWarning() << "FileStamp::stampNewFile cannot flush" << QString::fromStdString(path) << "-" << strerror(errno);
    if (counter == Counter::Settings) {
        // A counter that fell back after a power cut could hand out a stamp
        // twice: it is on the medium before the next stamp is handed out.
        Config::getInstance()->setModifyTime(stamp);
        Config::getInstance()->flush();
        return true;
    }
    return writeLanCounter(stamp);
}

} // namespace FileStamp
