#include "worklane.h"

WorkLane::~WorkLane()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_tasks.clear();
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void WorkLane::post(std::function<void()> task)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stop)
        return;
    m_tasks.push_back(std::move(task));
    if (!m_thread.joinable())
        m_thread = std::thread(&WorkLane::run, this);
    m_wake.notify_all();
}

void WorkLane::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_tasks.empty(); });
        if (m_stop)
            return;
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        task();
        task = nullptr; // what it captured goes before the next task starts
        lock.lock();
    }
}
