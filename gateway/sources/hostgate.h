#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

// Politeness towards the sources, shared by every source. Each host has a request budget: no
// more than so many requests in any minute, and a short spacing between two. Back-off is kept
// per API (two APIs on one host fail apart): an API that answered 429 or 5xx, or refused its
// credentials for good, gets no request until its back-off ends; the wait doubles with each
// refusal in a row. The back-off reads the given clock, so tests can fix it; the budget uses
// real time, since it only ever delays.
class HostGate
{
public:
    using Clock = std::chrono::system_clock;
    static constexpr std::chrono::seconds firstBackOff{30};
    static constexpr std::chrono::seconds longestBackOff{3600};

    HostGate(double requestsPerSecond, int requestsPerMinute, Clock::time_point (*now)());

    Clock::time_point now() const { return m_now ? m_now() : Clock::now(); }
    // When the API is in back-off, the time it ends.
    std::optional<Clock::time_point> blockedUntil(const std::string &api) const;
    // Waits for the host's next request slot within its budget; false, at once, once stopped.
    bool pace(const std::string &host);
    // Ends every wait for a slot, now and later: the program is closing.
    void stop();
    // What the API answered: 429 and 5xx start or lengthen its back-off, anything else ends it.
    void record(const std::string &api, int httpStatus);
    // Starts or lengthens the API's back-off whatever it answered (credentials refused).
    void backOff(const std::string &api);
    // Requests sent to the host in the last minute.
    int sentLastMinute(const std::string &host) const;

private:
    struct Budget
    {
        std::chrono::steady_clock::time_point nextSlot;
        std::deque<std::chrono::steady_clock::time_point> sent; // the last minute's
    };
    struct Refusals
    {
        int inARow = 0;
        std::optional<Clock::time_point> until;
    };
    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stopping = false;
    std::map<std::string, Budget> m_hosts;
    std::map<std::string, Refusals> m_apis;
    std::chrono::steady_clock::duration m_spacing;
    int m_perMinute;
    Clock::time_point (*m_now)();
};
