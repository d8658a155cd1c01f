#pragma once

#include "bar.h"
#include "dailywalk.h"
#include "intradaypath.h"
#include "marketquote.h"
#include "tradingcalendar.h"
#include "universe.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

// The simulated market: for any instrument of the universe, at any simulated time, its quote,
// its daily bars over any range and a day's minute bars, all a pure function of the seed.
// Thread-safe; what a quote needs beyond the day itself (the previous 52 weeks) is cached per
// instrument and day.
class MarketModel
{
public:
    MarketModel(const Universe &universe, std::uint64_t seed, TradingCalendar calendar);

    const Universe &universe() const { return m_universe; }
    const TradingCalendar &calendar() const { return m_calendar; }

    Quote quote(const Instrument &instrument, std::int64_t time) const;

    // Whole trading days from fromDay to toDay inclusive (days since 1970-01-01), oldest
    // first. The model knows every day, so callers cut off at the present themselves.
    std::vector<Bar> dailyBars(const Instrument &instrument, std::int64_t fromDay,
                               std::int64_t toDay) const;

    // The session's minute bars of one day; none on a day without trading.
    std::vector<Bar> minuteBars(const Instrument &instrument, std::int64_t day) const;

private:
    struct DayEntry
    {
        RawDay raw;
        double priorYearLow = 0;
        double priorYearHigh = 0;
    };
    DayEntry dayEntry(const Instrument &instrument, std::int64_t day) const;
    double rounded(const Instrument &instrument, double price) const;
    // The quote of a stock with an odd day, made odd.
    void oddDay(const Instrument &instrument, Quote &quote) const;

    const Universe &m_universe;
    std::uint64_t m_seed;
    TradingCalendar m_calendar;
    mutable std::mutex m_cacheMutex;
    mutable std::unordered_map<std::uint64_t, DayEntry> m_cache;
};
