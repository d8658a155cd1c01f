#pragma once

#include "core/common/clock.h"

// A span of the trading day, Monday to Friday on the local clock, both ends included.
struct MarketWindow
{
    int fromSeconds;
    int toSeconds;

    bool contains(const LocalTime &t) const
    {
        const int s = t.secondsOfDay();
        return t.isWeekday() && s >= fromSeconds && s <= toSeconds;
    }
};

namespace markethours {
// Data logging and the live feed to the charting program.
inline constexpr MarketWindow Logging{9 * 3600 + 55 * 60, 15 * 3600 + 45 * 60};
// Opening a live chart.
inline constexpr MarketWindow LiveChart{9 * 3600 + 55 * 60, 15 * 3600 + 30 * 60};
} // namespace markethours
