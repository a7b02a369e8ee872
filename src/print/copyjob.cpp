#include "copyjob.h"

#include "config.h"
#include "getconfigfile.h"

#include <QFile>

CopyJob::CopyJob(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<VerifiedCopy::Result>();
}

CopyJob::~CopyJob()
{
    cancel();
    if (m_thread.joinable())
        m_thread.join();
}

bool CopyJob::start(const QList<Item> &items)
{
    if (m_running.load())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_progress.cancel = false;
    m_progress.copied = 0;
    m_progress.total = 0;
    m_progress.verifying = false;
    m_index = 0;
    m_count = items.size();
    m_running = true;
    m_thread = std::thread(&CopyJob::run, this, items);
    return true;
}

CopyJob::Snapshot CopyJob::progress() const
{
    Snapshot s;
    s.index = m_index.load();
    s.count = m_count.load();
    s.copied = m_progress.copied.load();
    s.total = m_progress.total.load();
    s.verifying = m_progress.verifying.load();
    return s;
}

void CopyJob::run(QList<Item> items)
{
    VerifiedCopy::Result result = VerifiedCopy::Result::Done;
    int index = 0;
    for (; index < items.size(); ++index) {
        m_index = index;
        const Item &item = items.at(index);
        result = VerifiedCopy::copyFile(item.source, item.target, &m_progress);
        if (result != VerifiedCopy::Result::Done)
            break;
        // Stamped here rather than on the page so that a page closed in the
        // meantime cannot leave a copied file without its stamp.
        if (item.stampTarget && !getConfigFile()->configFile()->updateFileModifyTime(QFile::encodeName(item.target).toStdString()))
            qWarning("copyjob: cannot stamp %s", qPrintable(item.target));
    }
    m_running = false;
    emit finished(result, index);
}
