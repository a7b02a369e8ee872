#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// One thread that runs the tasks posted to it, one at a time and in the
// order they came. Posting never blocks. Tasks not yet started when the lane
// is destroyed are dropped; the running one is waited for.
class WorkLane {
public:
    WorkLane() = default;
    ~WorkLane();
    WorkLane(const WorkLane &) = delete;
    WorkLane &operator=(const WorkLane &) = delete;

    void post(std::function<void()> task);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    bool m_stop = false;
    std::thread m_thread; // started with the first task
};
