#pragma once

#include "verifiedcopy.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

// Runs verified copies of one or more files on a worker thread, one after
// the other, so that the screen keeps repainting and its Cancel keeps
// working. The page polls progress() for its bar and learns the outcome from
// finished(), which arrives queued on the page's thread. Destroying the job
// cancels it and waits for the worker.
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

    // Starts the copies; false while a previous job still runs.
    bool start(const QList<Item> &items);
    bool isRunning() const { return m_running.load(); }
    void cancel() { m_progress.cancel = true; }
    Snapshot progress() const;

signals:
    // Done when every file was copied; otherwise the outcome of the file at
    // `index`, after which the job stopped.
    void finished(VerifiedCopy::Result result, int index);

private:
    void run(QList<Item> items);

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_index{0};
    std::atomic<int> m_count{0};
    VerifiedCopy::Progress m_progress;
};

Q_DECLARE_METATYPE(VerifiedCopy::Result)
