#pragma once

#include <httplib.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The server's connection workers: a thread is added whenever every worker is busy, up to a
// generous limit. A fixed pool would let a few hanging or slow replies, which the faults
// produce on purpose, starve every other client, the control endpoint included.
class GrowingPool : public httplib::TaskQueue
{
public:
    explicit GrowingPool(std::size_t maxThreads = 256) : m_maxThreads(maxThreads) {}
    ~GrowingPool() override;

    void enqueue(std::function<void()> task) override;
    void shutdown() override;

private:
    void work();

    std::size_t m_maxThreads;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_threads;
    std::size_t m_idle = 0;
    bool m_shutdown = false;
};
