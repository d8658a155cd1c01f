#include "growingpool.h"

GrowingPool::~GrowingPool()
{
    shutdown();
}

void GrowingPool::enqueue(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        if (m_tasks.size() > m_idle && m_threads.size() < m_limits.maxThreads) {
            // The worker learns where it stands only under the lock, after this assignment.
            const Worker self = m_threads.emplace(m_threads.end());
            *self = std::thread([this, self] { work(self); });
        }
    }
    m_wake.notify_one();
    joinEnded();
}

void GrowingPool::joinEnded()
{
    std::list<std::thread> ended;
    {
        std::lock_guard lock(m_mutex);
        ended.swap(m_ended);
    }
    for (std::thread &t : ended)
        t.join();
}

void GrowingPool::shutdown()
{
    std::list<std::thread> threads;
    {
        std::lock_guard lock(m_mutex);
        m_shutdown = true;
        threads.swap(m_threads);
    }
    m_wake.notify_all();
    for (std::thread &t : threads)
        t.join();
    joinEnded();
}

void GrowingPool::work(Worker self)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        const bool woken = m_wake.wait_for(lock, m_limits.idleTime,
                                           [this] { return m_shutdown || !m_tasks.empty(); });
        --m_idle;
        if (!woken) {
            if (m_threads.size() > m_limits.keptIdle) {
                m_ended.splice(m_ended.end(), m_threads, self);
                return;
            }
            continue;
        }
        if (m_tasks.empty())
            return; // shut down with nothing left to do
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}
