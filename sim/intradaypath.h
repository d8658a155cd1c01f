#pragma once

#include "dailywalk.h"

#include <cstdint>
#include <vector>

// A day's minute-by-minute path that opens at the day's open, closes at its close and
// reaches exactly its high and low, so the minute bars and the daily bar always agree.
struct IntradayPath
{
    std::vector<double> price;        // at each minute boundary of the session: minutes + 1
    std::vector<double> barHigh;      // per minute
    std::vector<double> barLow;       // per minute
    std::vector<std::int64_t> volume; // traded up to each minute boundary: minutes + 1

    int minutes() const { return static_cast<int>(barHigh.size()); }

    // The state a given number of seconds into the session: the last price moves smoothly
    // within the running minute; high, low and volume are those traded so far.
    struct Snapshot
    {
        double last = 0;
        double high = 0;
        double low = 0;
        std::int64_t volume = 0;
    };
    Snapshot at(int sessionSecond) const;
};

IntradayPath buildIntradayPath(const RawDay &day, int minutes, std::uint64_t key,
                               double dailyVolatility);
