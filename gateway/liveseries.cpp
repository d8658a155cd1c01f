#include "liveseries.h"

#include <algorithm>
#include <cmath>

namespace {
int monthsOf(ChartRange range)
{
    switch (range) {
    case ChartRange::ThreeMonths:
        return 3;
    case ChartRange::SixMonths:
        return 6;
    case ChartRange::Year:
        return 12;
    case ChartRange::TwoYears:
        return 24;
    default:
        return 1;
    }
}

bool isPrice(double value)
{
    return std::isfinite(value) && value > 0;
}

bool usable(const Bar &b)
{
    return isPrice(b.open) && isPrice(b.high) && isPrice(b.low) && isPrice(b.close) &&
           b.volume >= 0;
}

ChartSeries intraday(const std::vector<Bar> &bars, bool fiveDays)
{
    const int size = fiveDays ? 5 : 1;
    const std::size_t shownDays = fiveDays ? 5 : 1;
    const int perDay = (LiveSessionMinutes + size - 1) / size;
    ChartSeries series;
    series.slotMinutes = size;
    series.openMinute = LiveOpenMinute;
    series.slotCount = perDay * static_cast<int>(shownDays);
    std::vector<std::int64_t> days;
    for (const Bar &b : bars)
        if (days.empty() || b.day() > days.back())
            days.push_back(b.day());
    if (days.size() > shownDays)
        days.erase(days.begin(), days.end() - static_cast<std::ptrdiff_t>(shownDays));
    for (const Bar &b : bars) {
        const std::int64_t day = b.day();
        const auto at = std::find(days.begin(), days.end(), day);
        const int minute = b.minute();
        if (at == days.end() || !usable(b) || minute < LiveOpenMinute ||
            minute >= LiveOpenMinute + LiveSessionMinutes)
            continue;
        const int slot =
            static_cast<int>(at - days.begin()) * perDay + (minute - LiveOpenMinute) / size;
        if (!series.barSlots.empty() && series.barSlots.back() >= slot) {
            if (series.barSlots.back() > slot)
                continue; // out of order: the source's own mistake, not drawn twice
            Bar &same = series.bars.back(); // finer bars than the slots: folded
            same.high = std::max(same.high, b.high);
            same.low = std::min(same.low, b.low);
            same.close = b.close;
            same.volume += b.volume;
            continue;
        }
        series.add({localTime(day, minute), b.open, b.high, b.low, b.close, b.volume, size}, slot);
    }
    return series;
}

ChartSeries daily(const std::vector<Bar> &bars, ChartRange range)
{
    ChartSeries series;
    for (const Bar &b : bars) {
        const std::int64_t day = b.day();
        if (usable(b) && (series.bars.empty() || day > series.bars.back().day()))
            series.add({localTime(day, 0), b.open, b.high, b.low, b.close, b.volume, DayMinutes},
                       0);
    }
    if (series.bars.empty())
        return series;
    const std::int64_t from =
        series.bars.back().day() - std::llround(monthsOf(range) * 365.25 / 12) + 1;
    series.showDailyFrom(from);
    return series;
}
} // namespace

BarSpan barSpanOf(ChartRange range, int &days)
{
    switch (range) {
    case ChartRange::Day:
        days = 1;
        return BarSpan::OneDayOneMinute;
    case ChartRange::FiveDays:
        days = 5;
        return BarSpan::FiveDaysFiveMinute;
    default:
        // 300 trading days before the range's start keep a 200-day average running.
        days = monthsOf(range) * 31 + 440;
        return BarSpan::Daily;
    }
}

ChartSeries seriesFromBars(const std::vector<Bar> &bars, ChartRange range)
{
    if (range == ChartRange::Day || range == ChartRange::FiveDays)
        return intraday(bars, range == ChartRange::FiveDays);
    return daily(bars, range);
}
