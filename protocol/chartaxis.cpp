#include "chartaxis.h"

#include "simtime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr const char *MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 1, 2, 2.5 or 5 times a power of ten, at least rough.
double niceStep(double rough)
{
    if (!(rough > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 2.5, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

std::string printed(const char *format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string dayMonth(std::int64_t day)
{
    const simtime::CivilDate date = simtime::civilFromDays(day);
    return std::to_string(date.day) + " " + MonthNames[date.month - 1];
}
} // namespace

ValueAxis::ValueAxis(double low, double high, bool log, double top, double bottom, double margin)
    : m_log(log && low > 0), m_top(top), m_bottom(bottom)
{
    if (!(low <= high)) // no values at all
        low = high = m_log ? 1 : 0;
    m_low = transformed(low);
    m_high = transformed(high);
    double span = m_high - m_low;
    if (span <= 0) // a flat line sits in the middle
        span = m_log ? 0.02 : std::max(std::abs(m_high) * 0.02, 1.0);
    const double room = (m_high - m_low > 0 ? span * margin : span / 2);
    m_low -= room;
    m_high += room;
}

double ValueAxis::transformed(double value) const
{
    return m_log ? std::log(std::max(value, 1e-9)) : value;
}

double ValueAxis::y(double value) const
{
    const double f = (transformed(value) - m_low) / (m_high - m_low);
    return m_bottom - f * (m_bottom - m_top);
}

ValueAxis::Ticks ValueAxis::ticks(int count, Labels style) const
{
    const double low = m_log ? std::exp(m_low) : m_low;
    const double high = m_log ? std::exp(m_high) : m_high;
    Ticks t;
    if (count <= 0)
        return t;
    // A percent axis steps in round percents of its ratios.
    const double unit = style == Labels::Percent ? 0.01 : 1;
    t.step = niceStep((high - low) / unit / std::max(count, 1)) * unit;
    for (double v = std::ceil(low / t.step) * t.step; v <= high; v += t.step)
        t.values.push_back(std::abs(v) < t.step / 1e6 ? 0 : v);
    return t;
}

std::string ValueAxis::label(double value, Labels style, double step)
{
    switch (style) {
    case Labels::Percent: {
        const double percent = (value - 1) * 100;
        if (std::abs(percent) < 1e-9)
            return "0%";
        return printed(step >= 0.01 ? "%+.0f%%" : "%+.1f%%", percent);
    }
    case Labels::Volume:
        if (value >= 1e7)
            return printed("%.1fCr", value / 1e7);
        if (value >= 1e5)
            return printed("%.1fL", value / 1e5);
        if (value >= 1e3)
            return printed("%.0fK", value / 1e3);
        return printed("%.0f", value);
    case Labels::Price:
    case Labels::Plain:
        break;
    }
    return printed(step >= 1 ? "%.0f" : step >= 0.1 ? "%.1f" : "%.2f", value);
}

std::vector<TimeLabel> timeLabels(const ChartSeries &series, ChartRange range, double minSpacing)
{
    std::vector<TimeLabel> labels;
    int step = 1; // keep every step-th candidate
    const auto thin = [&](int candidates, std::initializer_list<int> steps) {
        const double needed = minSpacing * candidates / std::max(series.slotCount, 1);
        step = *std::prev(steps.end());
        for (const int s : steps)
            if (s >= needed) {
                step = s;
                break;
            }
    };
    if (range == ChartRange::Day) {
        const int first = series.openMinute;
        const int last = first + series.slotCount * series.slotMinutes;
        thin((last - first) / 60, {1, 2, 3, 4, 6});
        for (int hour = (first + 59) / 60; hour * 60 < last; ++hour)
            if (hour % step == 0)
                labels.push_back(
                    {(hour * 60 - first) / series.slotMinutes, printed("%02.0f:00", hour)});
        return labels;
    }
    std::int64_t previousDay = -1;
    int previousKey = -1;
    std::vector<TimeLabel> candidates;
    std::vector<int> months;
    for (std::size_t k = series.firstShown; k < series.bars.size(); ++k) {
        const std::int64_t day = series.bars[k].day();
        if (day == previousDay)
            continue;
        const simtime::CivilDate date = simtime::civilFromDays(day);
        // A new day, a new week (Monday or the first day after a weekend) or a new month.
        const int key = range == ChartRange::FiveDays ? static_cast<int>(day)
                        : range == ChartRange::Month
                            ? static_cast<int>(previousDay < 0 || day - previousDay > 1 ||
                                                       simtime::weekday(day) == 0
                                                   ? day
                                                   : previousKey)
                            : date.year * 12 + date.month;
        if (key != previousKey) {
            const bool monthly = range != ChartRange::FiveDays && range != ChartRange::Month;
            std::string text = !monthly          ? dayMonth(day)
                               : date.month == 1 ? std::to_string(date.year)
                                                 : MonthNames[date.month - 1];
            candidates.push_back({series.barSlots[k], std::move(text)});
            months.push_back(monthly ? date.month : static_cast<int>(candidates.size()));
        }
        previousDay = day;
        previousKey = key;
    }
    // The range's first day is a label only when it does not crowd the next one.
    if (candidates.size() > 1 && candidates[1].slot - candidates[0].slot < minSpacing) {
        candidates.erase(candidates.begin());
        months.erase(months.begin());
    }
    thin(static_cast<int>(candidates.size()), {1, 2, 3, 6, 12});
    for (std::size_t k = 0; k < candidates.size(); ++k)
        if ((months[k] - 1) % step == 0)
            labels.push_back(candidates[k]);
    return labels;
}
