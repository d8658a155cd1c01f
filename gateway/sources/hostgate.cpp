#include "hostgate.h"

#include <algorithm>
#include <thread>

HostGate::HostGate(double requestsPerSecond, Clock::time_point (*now)())
    : m_spacing(std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::duration<double>(1.0 / std::max(requestsPerSecond, 0.01)))),
      m_now(now)
{
}

std::optional<HostGate::Clock::time_point> HostGate::blockedUntil(const std::string &host) const
{
    const Clock::time_point at = now();
    std::lock_guard lock(m_mutex);
    const auto it = m_hosts.find(host);
    if (it == m_hosts.end() || !it->second.until || *it->second.until <= at)
        return std::nullopt;
    return it->second.until;
}

void HostGate::pace(const std::string &host)
{
    std::chrono::steady_clock::time_point slot;
    {
        std::lock_guard lock(m_mutex);
        Host &h = m_hosts[host];
        slot = std::max(std::chrono::steady_clock::now(), h.nextSlot);
        h.nextSlot = slot + m_spacing;
    }
    std::this_thread::sleep_until(slot);
}

void HostGate::record(const std::string &host, int httpStatus)
{
    const bool goAway = httpStatus == 429 || httpStatus >= 500;
    const Clock::time_point at = now();
    std::lock_guard lock(m_mutex);
    Host &h = m_hosts[host];
    if (!goAway) {
        h.refusals = 0;
        h.until.reset();
        return;
    }
    h.refusals = std::min(h.refusals + 1, 20);
    auto wait = firstBackOff * (1LL << (h.refusals - 1));
    h.until = at + std::min<std::chrono::seconds>(wait, longestBackOff);
}
