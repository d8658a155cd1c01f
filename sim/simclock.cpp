#include "simclock.h"

#include "simtime.h"

SimClock::SimClock(std::optional<std::int64_t> fixedTime)
    : m_fixed(fixedTime.has_value()), m_time(fixedTime.value_or(0))
{
}

std::int64_t SimClock::now() const
{
    std::lock_guard lock(m_mutex);
    return m_fixed ? m_time : simtime::machineNow() + m_time;
}

void SimClock::set(std::int64_t time)
{
    std::lock_guard lock(m_mutex);
    m_fixed = true;
    m_time = time;
}

void SimClock::advance(std::int64_t seconds)
{
    std::lock_guard lock(m_mutex);
    m_time += seconds;
}
