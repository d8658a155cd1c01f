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
        if (m_tasks.size() > m_idle && m_threads.size() < m_maxThreads)
            m_threads.emplace_back([this] { work(); });
    }
    m_wake.notify_one();
}

void GrowingPool::shutdown()
{
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(m_mutex);
        m_shutdown = true;
        threads.swap(m_threads);
    }
    m_wake.notify_all();
    for (std::thread &t : threads)
        t.join();
}

void GrowingPool::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_wake.wait(lock, [this] { return m_shutdown || !m_tasks.empty(); });
        --m_idle;
        if (m_tasks.empty())
            return; // shut down with nothing left to do
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}
