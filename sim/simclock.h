#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

// The simulated clock: a fixed time that only moves when told to (tests, reproducible
// demos), or the machine's clock shifted by whatever the control endpoint advanced it.
class SimClock
{
public:
    explicit SimClock(std::optional<std::int64_t> fixedTime = std::nullopt);

    std::int64_t now() const;
    void set(std::int64_t time);
    void advance(std::int64_t seconds);

private:
    mutable std::mutex m_mutex;
    bool m_fixed = false;
    std::int64_t m_time = 0; // the fixed time, or the offset from the machine clock
};
