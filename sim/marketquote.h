#pragma once

#include <cstdint>

// An instrument at one moment: during a session the running day, outside it the last
// session's close, stamped with that day and the session's closing minute (days since
// 1970-01-01, minutes from midnight, in simulated local time). Prices are rounded to the
// instrument's price step.
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
