#include "stepworker.h"
#include "timescale.h"

#include <QMetaObject>

#include <chrono>
#include <system_error>

StepWorker::StepWorker(QObject *context)
    : m_context(context)
{
}

StepWorker::~StepWorker()
{
    stop();
}

bool StepWorker::start(std::function<int()> step)
{
    if (m_thread.joinable())
        return false;
    m_stop = false;
    m_finished = false;
    try {
        m_thread = std::thread([this, step = std::move(step)] { run(step); });
    } catch (const std::system_error &) {
        return false;
    }
    return true;
}

void StepWorker::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void StepWorker::post(std::function<void()> change)
{
    // The context outlives the thread: its owner stops the worker first.
    QMetaObject::invokeMethod(m_context, std::move(change), Qt::QueuedConnection);
}

void StepWorker::run(const std::function<int()> &step)
{
    const auto period = std::chrono::milliseconds(TimeScale::ms(StepPeriodMs));
    while (!m_stop) {
        if (step() < 0)
            break;
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait_for(lock, period, [this] { return m_stop.load(); });
    }
    m_finished = true;
}
