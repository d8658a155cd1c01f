#include "marketmodel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Enough for every symbol over many simulated days; beyond it the cache starts afresh
// rather than grow without bound when a clock is advanced for hours on end.
constexpr std::size_t CacheLimit = 200000;
constexpr std::int64_t YearDays = 364; // 52 weeks

double roundedCents(double value)
{
    const double r = std::round(value * 100) / 100;
    return r == 0 ? 0.0 : r; // no "-0.00"
}
} // namespace

void MarketModel::oddDay(const Instrument &instrument, Quote &q) const
{
    switch (instrument.oddity) {
    case Oddity::Soaring:
        q.last = rounded(instrument, q.previousClose * 4.25);
        q.change = roundedCents(q.last - q.previousClose);
        q.high = std::max(q.high, q.last);
        q.yearHigh = std::max(q.yearHigh, q.high);
        break;
    case Oddity::Heavy:
        // Well above a billion and still within what a 32-bit volume field holds.
        q.volume = 1100000000 + q.volume % 900000000;
        break;
    case Oddity::Dear:
    case Oddity::None:
        break;
    }
}

MarketModel::MarketModel(const Universe &universe, std::uint64_t seed, TradingCalendar calendar)
    : m_universe(universe), m_seed(seed), m_calendar(calendar)
{
}

double MarketModel::rounded(const Instrument &instrument, double price) const
{
    return roundedCents(std::round(price / instrument.tick) * instrument.tick);
}

MarketModel::DayEntry MarketModel::dayEntry(const Instrument &instrument, std::int64_t day) const
{
    const std::int64_t index = m_calendar.indexOf(day);
    const std::uint64_t key = (static_cast<std::uint64_t>(m_universe.indexOf(instrument)) << 32) ^
                              static_cast<std::uint32_t>(index);
    {
        std::lock_guard lock(m_cacheMutex);
        if (const auto it = m_cache.find(key); it != m_cache.end())
            return it->second;
    }
    // Computed outside the lock: parallel requests for different symbols do not wait on
    // each other, and two computing the same entry get the same result.
    const std::int64_t first = m_calendar.firstIndexOnOrAfter(day - YearDays);
    const int count = static_cast<int>(index - first + 1);
    const std::vector<RawDay> days = DailyWalk(instrument, m_seed).days(first, count);
    DayEntry entry;
    entry.raw = days.back();
    entry.priorYearLow = std::numeric_limits<double>::max();
    entry.priorYearHigh = 0;
    for (std::size_t k = 0; k + 1 < days.size(); ++k) {
        entry.priorYearLow = std::min(entry.priorYearLow, days[k].low);
        entry.priorYearHigh = std::max(entry.priorYearHigh, days[k].high);
    }
    std::lock_guard lock(m_cacheMutex);
    if (m_cache.size() >= CacheLimit)
        m_cache.clear();
    m_cache.emplace(key, entry);
    return entry;
}

Quote MarketModel::quote(const Instrument &instrument, std::int64_t time) const
{
    const TradingCalendar::Moment moment = m_calendar.momentAt(time);
    const DayEntry entry = dayEntry(instrument, moment.day);
    const DailyWalk walk(instrument, m_seed);
    const IntradayPath path =
        buildIntradayPath(entry.raw, m_calendar.sessionMinutes(),
                          walk.intradayKey(m_calendar.indexOf(moment.day)), walk.dailyVolatility());
    const IntradayPath::Snapshot now = path.at(moment.sessionSecond);

    Quote q;
    q.day = moment.day;
    q.minute = m_calendar.openMinute() + moment.sessionSecond / 60;
    q.last = rounded(instrument, now.last);
    q.open = rounded(instrument, entry.raw.open);
    q.high = rounded(instrument, now.high);
    q.low = rounded(instrument, now.low);
    q.previousClose = rounded(instrument, entry.raw.previousClose);
    q.change = roundedCents(q.last - q.previousClose);
    q.volume = now.volume;
    q.yearLow = std::min(rounded(instrument, entry.priorYearLow), q.low);
    q.yearHigh = std::max(rounded(instrument, entry.priorYearHigh), q.high);
    oddDay(instrument, q);
    return q;
}

std::vector<Bar> MarketModel::dailyBars(const Instrument &instrument, std::int64_t fromDay,
                                        std::int64_t toDay) const
{
    const std::int64_t first = m_calendar.firstIndexOnOrAfter(fromDay);
    const std::int64_t last = m_calendar.indexOf(toDay);
    if (last < first)
        return {};
    const std::vector<RawDay> days =
        DailyWalk(instrument, m_seed).days(first, static_cast<int>(last - first + 1));
    std::vector<Bar> bars;
    bars.reserve(days.size());
    for (std::size_t k = 0; k < days.size(); ++k) {
        const RawDay &d = days[k];
        bars.push_back({localTime(m_calendar.dayAt(first + static_cast<std::int64_t>(k)), 0),
                        rounded(instrument, d.open), rounded(instrument, d.high),
                        rounded(instrument, d.low), rounded(instrument, d.close),
                        static_cast<std::int64_t>(d.volume), DayMinutes});
    }
    return bars;
}

std::vector<Bar> MarketModel::minuteBars(const Instrument &instrument, std::int64_t day) const
{
    if (!m_calendar.isTradingDay(day))
        return {};
    const std::int64_t index = m_calendar.indexOf(day);
    const DailyWalk walk(instrument, m_seed);
    const RawDay raw = walk.days(index, 1).front();
    const IntradayPath path = buildIntradayPath(raw, m_calendar.sessionMinutes(),
                                                walk.intradayKey(index), walk.dailyVolatility());
    std::vector<Bar> bars;
    bars.reserve(static_cast<std::size_t>(path.minutes()));
    for (int k = 0; k < path.minutes(); ++k) {
        const auto i = static_cast<std::size_t>(k);
        bars.push_back({localTime(day, m_calendar.openMinute() + k),
                        rounded(instrument, path.price[i]), rounded(instrument, path.barHigh[i]),
                        rounded(instrument, path.barLow[i]), rounded(instrument, path.price[i + 1]),
                        path.volume[i + 1] - path.volume[i]});
    }
    return bars;
}
