#pragma once

#include <QObject>

#include <functional>

// Waits for the medium off the caller's thread. A flush (a sync(), a
// folder's fsync, the settings' write) can take seconds on a slow stick or a
// busy flash, and the GUI thread must never wait for one: it hands the flush
// over and goes on. A caller that may tell the user "done" only once the data
// is on the medium (a copy complete, a reset before the restart) hears it
// through a queued signal when the flush has finished.
//
// The flushes have threads of their own, so that one waiting for a slow
// medium does not hold up the other users of the global pool (thumbnails).
class BackgroundFlush : public QObject {
    Q_OBJECT
public:
    // Runs `flush` on a flush thread; returns at once.
    static void start(std::function<void()> flush);

    // The same; `done` then runs on `receiver`'s thread, unless `receiver`
    // has been destroyed by then.
    static void start(std::function<void()> flush, QObject *receiver, std::function<void()> done);

signals:
    void finished();

private:
    BackgroundFlush() = default;
};
