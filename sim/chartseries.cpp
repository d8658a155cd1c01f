#include "chartseries.h"

#include "simtime.h"

#include <algorithm>

namespace {
constexpr int DailyWarmUp = 300; // trading days: enough for a 200-day average

bool sessionRunning(const MarketModel &model, const TradingCalendar::Moment &now)
{
    return now.sessionSecond < model.calendar().sessionMinutes() * 60;
}

// The day's minute bars up to now; the running minute goes from its open to the last price.
std::vector<Bar> dayUpToNow(const MarketModel &model, const Instrument &instrument,
                            const TradingCalendar::Moment &now, const Quote &quote)
{
    std::vector<Bar> bars = model.minuteBars(instrument, now.day);
    const auto done = static_cast<std::size_t>(now.sessionSecond / 60);
    if (done >= bars.size())
        return bars;
    bars.resize(done + 1);
    std::int64_t earlier = 0;
    for (std::size_t k = 0; k < done; ++k)
        earlier += bars[k].volume;
    Bar &last = bars.back();
    last.close = quote.last;
    last.high = std::max(last.open, last.close);
    last.low = std::min(last.open, last.close);
    last.volume = std::max<std::int64_t>(0, quote.volume - earlier);
    return bars;
}

// Minute bars folded into bars of size minutes, numbered from firstSlot.
void appendBuckets(ChartSeries &out, const std::vector<Bar> &minutes, int size, int firstSlot)
{
    for (std::size_t k = 0; k < minutes.size(); ++k) {
        const Bar &m = minutes[k];
        if (k % static_cast<std::size_t>(size) == 0) {
            out.add({m.time, m.open, m.high, m.low, m.close, m.volume, size},
                    firstSlot + static_cast<int>(k) / size);
            continue;
        }
        Bar &b = out.bars.back();
        b.high = std::max(b.high, m.high);
        b.low = std::min(b.low, m.low);
        b.close = m.close;
        b.volume += m.volume;
    }
}

ChartSeries intradaySeries(const MarketModel &model, const Instrument &instrument, ChartRange range,
                           std::int64_t time)
{
    const TradingCalendar &calendar = model.calendar();
    const TradingCalendar::Moment now = calendar.momentAt(time);
    const Quote quote = model.quote(instrument, time);
    const bool fiveDays = range == ChartRange::FiveDays;
    // Five days come in five-minute bars whatever the session's length: a backfill of them
    // must not be mistaken for bars of another size.
    const int size = fiveDays ? 5 : 1;
    const int perDay = (calendar.sessionMinutes() + size - 1) / size;
    const int shownDays = fiveDays ? 5 : 1;
    const int warmUpDays = fiveDays ? 3 : 1;

    ChartSeries series;
    series.slotMinutes = size;
    series.openMinute = calendar.openMinute();
    series.slotCount = perDay * shownDays;
    const std::int64_t today = calendar.indexOf(now.day);
    for (std::int64_t index = today - shownDays - warmUpDays + 1; index <= today; ++index) {
        const std::int64_t day = calendar.dayAt(index);
        const int firstSlot = static_cast<int>(index - (today - shownDays + 1)) * perDay;
        if (firstSlot == 0)
            series.firstShown = series.bars.size();
        appendBuckets(series,
                      index == today ? dayUpToNow(model, instrument, now, quote)
                                     : model.minuteBars(instrument, day),
                      size, firstSlot);
    }
    return series;
}

// The first day of a range ending today, that many calendar months back.
std::int64_t monthsBack(std::int64_t today, int months)
{
    const simtime::CivilDate date = simtime::civilFromDays(today);
    int month = date.month - 1 - months;
    const int year = date.year + (month < 0 ? (month - 11) / 12 : month / 12);
    month = (month % 12 + 12) % 12 + 1;
    const std::int64_t first = simtime::daysFromCivil({year, month, 1});
    const std::int64_t next =
        simtime::daysFromCivil({month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1});
    // The day after the same date that many months ago, so a month holds no day twice.
    return first + std::min<std::int64_t>(date.day, next - first);
}

ChartSeries dailySeries(const MarketModel &model, const Instrument &instrument, ChartRange range,
                        std::int64_t time)
{
    const TradingCalendar &calendar = model.calendar();
    const TradingCalendar::Moment now = calendar.momentAt(time);
    int months = 1;
    switch (range) {
    case ChartRange::ThreeMonths:
        months = 3;
        break;
    case ChartRange::SixMonths:
        months = 6;
        break;
    case ChartRange::Year:
        months = 12;
        break;
    case ChartRange::TwoYears:
        months = 24;
        break;
    default:
        break;
    }
    const std::int64_t from = monthsBack(now.day, months);
    const std::int64_t warmFrom = calendar.dayAt(calendar.firstIndexOnOrAfter(from) - DailyWarmUp);
    ChartSeries series;
    series.bars = model.dailyBars(instrument, warmFrom, now.day);
    if (!series.bars.empty() && sessionRunning(model, now)) {
        const Quote q = model.quote(instrument, time);
        series.bars.back() = {localTime(q.day, 0), q.open, q.high, q.low, q.last, q.volume,
                              DayMinutes};
    }
    series.showDailyFrom(from);
    return series;
}
} // namespace

ChartSeries chartSeries(const MarketModel &model, const Instrument &instrument, ChartRange range,
                        std::int64_t time)
{
    if (range == ChartRange::Day || range == ChartRange::FiveDays)
        return intradaySeries(model, instrument, range, time);
    return dailySeries(model, instrument, range, time);
}
