#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>

// Politeness towards each host, shared by every source that talks to it: requests are spaced
// to the rate cap, and a host that answered 429 or 5xx gets no request at all until its
// back-off ends. The back-off doubles with each refusal in a row and reads the given clock, so
// tests can fix it; the spacing uses real time, since it only ever delays.
class HostGate
{
public:
    using Clock = std::chrono::system_clock;
    static constexpr std::chrono::seconds firstBackOff{30};
    static constexpr std::chrono::seconds longestBackOff{3600};

    HostGate(double requestsPerSecond, Clock::time_point (*now)());

    Clock::time_point now() const { return m_now ? m_now() : Clock::now(); }
    // When the host is in back-off, the time it ends.
    std::optional<Clock::time_point> blockedUntil(const std::string &host) const;
    // Waits for the host's next request slot.
    void pace(const std::string &host);
    // What the host answered: 429 and 5xx start or lengthen its back-off, anything else ends it.
    void record(const std::string &host, int httpStatus);

private:
    struct Host
    {
        std::chrono::steady_clock::time_point nextSlot;
        int refusals = 0;
        std::optional<Clock::time_point> until;
    };
    mutable std::mutex m_mutex;
    std::map<std::string, Host> m_hosts;
    std::chrono::steady_clock::duration m_spacing;
    Clock::time_point (*m_now)();
};
