#pragma once

#include <cstdint>

// What the market model hands out. Prices are rounded to the instrument's price step; days
// count from 1970-01-01 and minutes from midnight, both in simulated local time.
struct DailyBar
{
    std::int64_t day = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    std::int64_t volume = 0;
};

struct MinuteBar
{
    int minute = 0; // the minute of the day the bar starts
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    std::int64_t volume = 0;
};

// An instrument at one moment: during a session the running day, outside it the last
// session's close, stamped with that day and the session's closing minute.
struct Quote
{
    std::int64_t day = 0;
    int minute = 0;
    double last = 0;
    double change = 0; // against the previous session's close
    double open = 0;
    double high = 0;
    double low = 0;
    double previousClose = 0;
    std::int64_t volume = 0;
    double yearLow = 0; // the 52 weeks up to and including the running day
    double yearHigh = 0;
};
