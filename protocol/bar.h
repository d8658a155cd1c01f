#pragma once

#include "civildate.h"

#include <cstdint>

// A day's bar spans the whole day, whatever hours the market keeps.
inline constexpr int DayMinutes = 24 * 60;

// One bar of trading: a minute, five minutes or a day. time is the local time of its start
// (a day's bar starts at midnight), as the chart-data service stamps its bars.
struct Bar
{
    std::int64_t time = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    std::int64_t volume = 0;
    int minutes = 1; // the span the bar covers

    std::int64_t day() const { return dayOf(time); }
    // The minute of its day the bar starts at; 0 for a day's bar.
    int minute() const { return secondOfDay(time) / 60; }

    friend bool operator==(const Bar &, const Bar &) = default;
};
