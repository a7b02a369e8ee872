#include "backgroundflush.h"

#include <QThreadPool>

namespace {

// Two threads: a folder's flush need not wait behind a long sync(). At exit
// the pool waits for the flushes that run.
class FlushPool : public QThreadPool {
public:
    FlushPool() { setMaxThreadCount(2); }
};

FlushPool &flushPool()
{
    static FlushPool pool;
    return pool;
}

} // namespace

void BackgroundFlush::start(std::function<void()> flush)
{
    flushPool().start(std::move(flush));
}

void BackgroundFlush::start(std::function<void()> flush, QObject *receiver, std::function<void()> done)
{
    // The sender lives where the receiver does, which also deletes it. A
    // receiver destroyed before the flush ends takes the connection, and a
    // call still queued, with it.
    auto *report = new BackgroundFlush;
    report->moveToThread(receiver->thread());
    connect(report, &BackgroundFlush::finished, receiver, std::move(done), Qt::QueuedConnection);
    flushPool().start([flush = std::move(flush), report] {
        flush();
        emit report->finished();
        report->deleteLater();
    });
}
