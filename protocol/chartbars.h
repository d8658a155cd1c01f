#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One bar of a chart: a minute, five minutes or a day of trading.
struct ChartBar
{
    std::int64_t day = 0;
    int minute = 0; // the minute of the day the bar starts; 0 for daily bars
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    std::int64_t volume = 0;
    int slot = 0; // its place along the time axis; warm-up bars have negative slots
};

// The bars a chart of one range draws, with earlier bars in front so that averages are
// already running at the left edge. Up to the present: the running day and minute end at the
// quote service's current price, so chart and quotes agree.
struct ChartSeries
{
    std::vector<ChartBar> bars;
    std::size_t firstShown = 0;
    int slotCount = 0;   // places along the time axis; a session still running leaves some empty
    int slotMinutes = 0; // minutes per intraday bar; 0 for daily bars
    int openMinute = 0;  // the session's first minute, where an intraday day's slots start

    std::size_t shownCount() const { return bars.size() - firstShown; }
    // Daily bars: shows those from the day on, one slot each, the ones before as warm-up.
    void showDailyFrom(std::int64_t day);
    bool hasVolume() const;
};
