#include "sourcehealth.h"

#include "indiatime.h"

#include <iostream>

namespace {
// A symbol the source did not know is asked again after this, in case it was a passing fault.
constexpr std::chrono::hours unknownFor{1};
} // namespace

void SourceHealth::succeeded(Clock::time_point at)
{
    std::lock_guard lock(m_mutex);
    m_state = "ok";
    m_lastSuccess = indiatime::isoUtc(at);
}

void SourceHealth::failed(const std::string &reason)
{
    std::lock_guard lock(m_mutex);
    m_state = "refused";
    m_lastError = reason;
}

void SourceHealth::unknown(const std::string &symbol, Clock::time_point at)
{
    std::lock_guard lock(m_mutex);
    m_unknownSince[symbol] = at;
    if (m_reported.insert(symbol).second)
        std::cerr << "vantrel-gateway: the " << m_name << " source does not know " << symbol
                  << std::endl;
}

bool SourceHealth::recentlyUnknown(const std::string &symbol, Clock::time_point at) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_unknownSince.find(symbol);
    return it != m_unknownSince.end() && at >= it->second && at - it->second < unknownFor;
}

SourceStatus SourceHealth::status(std::optional<Clock::time_point> throttledUntil) const
{
    std::lock_guard lock(m_mutex);
    SourceStatus s;
    s.name = m_name;
    s.state = throttledUntil ? "throttled" : m_state;
    s.lastSuccess = m_lastSuccess;
    s.lastError = m_lastError;
    if (throttledUntil)
        s.throttledUntil = indiatime::isoUtc(*throttledUntil);
    s.unknownSymbols.assign(m_reported.begin(), m_reported.end());
    return s;
}
