#pragma once

#include <cstdint>

// One bar of a stock's chart. time counts seconds of the market's local time since
// 1970-01-01 to the bar's first minute, as the chart-data service stamps its bars.
struct Bar
{
    std::int64_t time = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    std::int64_t volume = 0;
    int minutes = 1; // the span the bar covers: 1 for the day's bars, 5 for five days'

    friend bool operator==(const Bar &, const Bar &) = default;
};

// The start of the minute a time falls in.
inline std::int64_t minuteOf(std::int64_t time)
{
    return time >= 0 ? time - time % 60 : time - ((time % 60) + 60) % 60;
}

// Whether two bars cover a common minute.
inline bool overlap(const Bar &a, const Bar &b)
{
    return a.time < b.time + b.minutes * 60 && b.time < a.time + a.minutes * 60;
}
