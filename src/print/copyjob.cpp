#include "copyjob.h"

#include "config.h"
#include "getconfigfile.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex hookMutex;
std::function<void()> workerDoneHook;

} // namespace

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
    // The worker never signals the page itself: it posts the outcome to the
    // job, which lives on the page's thread and outlives its worker (the
    // destructor joins it), and a posted outcome dies with the job.
    QMetaObject::invokeMethod(
        this, [this, result, index] { deliver(result, index); }, Qt::QueuedConnection);
    std::function<void()> hook;
    {
        QMutexLocker lock(&hookMutex);
        hook = workerDoneHook;
    }
    if (hook)
        hook();
}

void CopyJob::deliver(VerifiedCopy::Result result, int index)
{
    m_running = false;
    emit finished(result, index);
}

void CopyJob::setWorkerDoneHookForTesting(std::function<void()> hook)
{
    QMutexLocker lock(&hookMutex);
    workerDoneHook = std::move(hook);
}
