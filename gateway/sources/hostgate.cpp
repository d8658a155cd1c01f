#include "hostgate.h"

#include <algorithm>

namespace {
constexpr std::chrono::minutes window{1};
}

HostGate::HostGate(double requestsPerSecond, int requestsPerMinute, Clock::time_point (*now)())
    : m_spacing(std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::duration<double>(1.0 / std::max(requestsPerSecond, 0.01)))),
      m_perMinute(std::max(requestsPerMinute, 1)), m_now(now)
{
}

std::optional<HostGate::Clock::time_point> HostGate::blockedUntil(const std::string &api) const
{
    const Clock::time_point at = now();
    std::lock_guard lock(m_mutex);
    const auto it = m_apis.find(api);
    if (it == m_apis.end() || !it->second.until || *it->second.until <= at)
        return std::nullopt;
    return it->second.until;
}

bool HostGate::pace(const std::string &host)
{
    using Steady = std::chrono::steady_clock;
    Steady::time_point slot;
    std::unique_lock lock(m_mutex);
    {
        Budget &b = m_hosts[host];
        const Steady::time_point at = Steady::now();
        while (!b.sent.empty() && at - b.sent.front() >= window)
            b.sent.pop_front();
        slot = std::max(at, b.nextSlot);
        // The budget's slot: a minute after the request that would otherwise be one too many.
        if (static_cast<int>(b.sent.size()) >= m_perMinute)
            slot = std::max(slot, b.sent[b.sent.size() - m_perMinute] + window);
        b.nextSlot = slot + m_spacing;
        b.sent.push_back(slot);
    }
    // A full budget may hold a request for most of a minute; closing must not wait for it.
    return !m_stopped.wait_until(lock, slot, [this] { return m_stopping; });
}

void HostGate::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stopped.notify_all();
}

int HostGate::sentLastMinute(const std::string &host) const
{
    const auto at = std::chrono::steady_clock::now();
    std::lock_guard lock(m_mutex);
    const auto it = m_hosts.find(host);
    if (it == m_hosts.end())
        return 0;
    return static_cast<int>(std::count_if(it->second.sent.begin(), it->second.sent.end(),
                                          [&](auto t) { return t <= at && at - t < window; }));
}

void HostGate::record(const std::string &api, int httpStatus)
{
    if (httpStatus == 429 || httpStatus >= 500) {
        backOff(api);
        return;
    }
    std::lock_guard lock(m_mutex);
    Refusals &r = m_apis[api];
    r.inARow = 0;
    r.until.reset();
}

void HostGate::backOff(const std::string &api)
{
    const Clock::time_point at = now();
    std::lock_guard lock(m_mutex);
    Refusals &r = m_apis[api];
    r.inARow = std::min(r.inARow + 1, 20);
    const auto wait = firstBackOff * (1LL << (r.inARow - 1));
    r.until = at + std::min<std::chrono::seconds>(wait, longestBackOff);
}
