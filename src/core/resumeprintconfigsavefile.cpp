#include "resumeprintconfigsavefile.h"

#include "atomicfile.h"
#include "processrunner.h"
#include "sysroot.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QRegExp>

namespace {
QString recordPath()
{
    return SysRoot::path(QStringLiteral("/data/.resume_print_file"));
}
} // namespace

namespace FILESNAMESPACE {

bool CResumePrintConfigSaveFile::writeRecord(qint64 line)
{
    QString error;
    if (AtomicFile::write(recordPath(), QByteArray::number(line) + '\n', &error))
        return true;
    qWarning() << "CResumePrintConfigSaveFile::writeRecord" << error;
    return false;
}

bool CResumePrintConfigSaveFile::saveLine(qint64 line)
{
    if (m_givenUp)
        return false;
    if (writeRecord(line))
        return true;
    // The kernel remounts /data read-only after an ext4 error. Checking the
    // file system needs it unmounted, which is impossible mid-print, so only
    // a remount is tried.
    const ProcessRunner::Result remount =
        ProcessRunner::run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,rw"), QStringLiteral("/data")});
    if (!remount.ok())
        qWarning() << "CResumePrintConfigSaveFile::saveLine remount of /data failed, exit code" << remount.exitCode;
    if (writeRecord(line))
        return true;
    qCritical() << "CResumePrintConfigSaveFile::saveLine giving up the power-loss record at line" << line;
    m_givenUp = true;
    removeResumePrintConfigFile();
    m_giveUpUnreported = true;
    return false;
}

void CResumePrintConfigSaveFile::startRecord()
{
    m_givenUp = false;
    m_giveUpUnreported = false;
}

bool CResumePrintConfigSaveFile::takeGiveUp()
{
    return m_giveUpUnreported.exchange(false);
}

bool CResumePrintConfigSaveFile::readLine(qint64 &line)
{
    QFile file(recordPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromLatin1(file.read(64)).trimmed();
    if (!QRegExp(QStringLiteral("\\d{1,18}")).exactMatch(text))
        return false;
    line = text.toLongLong();
    return true;
}

bool CResumePrintConfigSaveFile::removeResumePrintConfigFile()
{
    const QString path = recordPath();
    if (QFile::exists(path) && !QFile::remove(path)) {
        qWarning() << "CResumePrintConfigSaveFile::removeResumePrintConfigFile cannot delete" << path;
        return false;
    }
    // A print's end removes the record on the GUI thread, which must not
    // wait for the medium.
    AtomicFile::syncFolderInBackground(QFileInfo(path).absolutePath());
    return true;
}

void CResumePrintConfigSaveFile::removeLeftovers()
{
    AtomicFile::removeTemporary(recordPath());
}

CResumePrintConfigSaveFile *ResumePrintConfigSaveFile()
{
    static CResumePrintConfigSaveFile instance;
    return &instance;
}

} // namespace FILESNAMESPACE
