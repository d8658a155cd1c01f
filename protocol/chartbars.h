#pragma once

#include "bar.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The bars a chart of one range draws, with earlier bars in front so that averages are
// already running at the left edge. Up to the present: the running day and minute end at the
// quote service's current price, so chart and quotes agree.
struct ChartSeries
{
    std::vector<Bar> bars;
    // Each bar's place along the time axis; warm-up bars have negative slots.
    std::vector<int> barSlots;
    std::size_t firstShown = 0;
    int slotCount = 0;   // places along the time axis; a session still running leaves some empty
    int slotMinutes = 0; // minutes per intraday bar; 0 for daily bars
    int openMinute = 0;  // the session's first minute, where an intraday day's slots start

    void add(const Bar &bar, int slot)
    {
        bars.push_back(bar);
        barSlots.push_back(slot);
    }
    std::size_t shownCount() const { return bars.size() - firstShown; }
    // Daily bars: shows those from the day on, one slot each, the ones before as warm-up.
    void showDailyFrom(std::int64_t day);
    bool hasVolume() const;
};
