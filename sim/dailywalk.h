#pragma once

#include "instrument.h"

#include <cstdint>
#include <vector>

// One trading day of an instrument before rounding to its price step.
struct RawDay
{
    double previousClose = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    double volume = 0;
};

// An instrument's daily prices: a fractal walk around its level, made of the Indian market's
// walk and its own in the proportion of its market weight. Any range of days costs a few
// operations per day, wherever it lies in time.
class DailyWalk
{
public:
    DailyWalk(const Instrument &instrument, std::uint64_t seed);

    // Trading days first .. first + count - 1, by trading-day number.
    std::vector<RawDay> days(std::int64_t first, int count) const;

    // The key of a day's intraday path; a company's two listings share it.
    std::uint64_t intradayKey(std::int64_t index) const;
    double dailyVolatility() const { return m_instrument.dailyVolatility; }

private:
    const Instrument &m_instrument;
    std::uint64_t m_ownKey;
    std::uint64_t m_marketKey;
    std::uint64_t m_listingKey;
};
