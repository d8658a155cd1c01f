#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

// The server's connection workers: a thread is added whenever every worker is busy, up to a
// limit. A fixed pool would let a few hanging or slow replies, which the faults produce on
// purpose, starve every other client, the control endpoint included. A worker left idle for
// idleTime ends, down to keptIdle, so a burst of connections leaves no crowd of threads.
class GrowingPool : public httplib::TaskQueue
{
public:
    struct Limits
    {
        std::size_t maxThreads = 256;
        std::size_t keptIdle = 2;
        std::chrono::milliseconds idleTime{1000};
    };

    GrowingPool() : GrowingPool(Limits{}) {}
    explicit GrowingPool(Limits limits) : m_limits(limits) {}
    ~GrowingPool() override;

    void enqueue(std::function<void()> task) override;
    void shutdown() override;

private:
    using Worker = std::list<std::thread>::iterator;
    void work(Worker self);
    // Joins the workers that have ended; they are past their last use of the pool.
    void joinEnded();

    const Limits m_limits;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::list<std::thread> m_threads;
    std::list<std::thread> m_ended;
    std::size_t m_idle = 0;
    bool m_shutdown = false;
};
