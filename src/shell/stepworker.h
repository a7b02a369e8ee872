#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The worker of a page that runs a machine sequence (filament load and
// unload, Z calibration): one step, then a one-second pause, until a step
// returns a value below 0 or the page stops it.
//
// Stopping is cooperative: the stop flag is checked before every step and
// ends the pause at once, so a step that is talking to the board always
// finishes its exchange and no lock of the printer link is left held. stop()
// joins the thread; a page calls it before it sends its closing commands, so
// nothing of the sequence can reach the board after them.
//
// A step never touches widgets. It hands each display change to post(), which
// runs it on the thread of the page (the context object) in the order posted;
// changes still queued when the page is destroyed are dropped with it.
class StepWorker {
public:
    static constexpr int StepPeriodMs = 1000;

    explicit StepWorker(QObject *context);
    ~StepWorker();

    // Starts the thread running `step`; false when the thread cannot be
    // created (or one is already running).
    bool start(std::function<int()> step);

    // Raises the stop flag, wakes the pause and waits for the thread to end.
    // Safe to call when nothing runs and more than once. Not from a step.
    void stop();

    bool isRunning() const { return m_thread.joinable() && !m_finished.load(); }
    bool stopRequested() const { return m_stop.load(); }

    // From a step: runs `change` later on the context's thread.
    void post(std::function<void()> change);

private:
    StepWorker(const StepWorker &) = delete;
    StepWorker &operator=(const StepWorker &) = delete;

    void run(const std::function<int()> &step);

    QObject *const m_context;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
};
