#pragma once

#include "verifiedcopy.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

// Runs verified copies of one or more files on a worker thread, one after
// the other, so that the screen keeps repainting and its Cancel keeps
// working. The page polls progress() for its bar and learns the outcome from
// finished(), emitted on the job's own thread. The job counts as running
// until finished() is emitted, so a copy started meanwhile cannot be handed
// the outcome of the one before. Destroying the job cancels it and waits for
// the worker; an outcome not yet delivered then goes with the job.
class CopyJob : public QObject {
    Q_OBJECT
public:
    struct Item {
        QString source;
        QString target;
        // A file that enters /data gets the next file-order stamp so that it
        // is listed first.
        bool stampTarget = false;
    };

    struct Snapshot {
        int index = 0; // the file being copied, from 0
        int count = 0;
        qint64 copied = 0;
        qint64 total = 0;
        bool verifying = false;
    };

    explicit CopyJob(QObject *parent = nullptr);
    ~CopyJob() override;

    // Starts the copies; false while a previous job still runs or has not
    // delivered its outcome yet.
    bool start(const QList<Item> &items);
    bool isRunning() const { return m_running.load(); }
    void cancel() { m_progress.cancel = true; }
    Snapshot progress() const;

    // Tests only: called on the worker thread once it has handed over its
    // outcome, its last act.
    static void setWorkerDoneHookForTesting(std::function<void()> hook);

signals:
    // Done when every file was copied; otherwise the outcome of the file at
    // `index`, after which the job stopped. isRunning() is false from here
    // on, so a receiver may start the next copy.
    void finished(VerifiedCopy::Result result, int index);

private:
    void run(QList<Item> items);
    void deliver(VerifiedCopy::Result result, int index);

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_index{0};
    std::atomic<int> m_count{0};
    VerifiedCopy::Progress m_progress;
};

Q_DECLARE_METATYPE(VerifiedCopy::Result)
