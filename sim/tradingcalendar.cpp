#include "tradingcalendar.h"

#include "simtime.h"

namespace {
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : (a - b + 1) / b;
}
} // namespace

TradingCalendar::TradingCalendar(bool alwaysOpen)
    : m_alwaysOpen(alwaysOpen), m_openMinute(alwaysOpen ? 0 : 9 * 60 + 15),
      m_closeMinute(alwaysOpen ? 24 * 60 : 15 * 60 + 30)
{
}

bool TradingCalendar::isTradingDay(std::int64_t day) const
{
    return m_alwaysOpen || simtime::weekday(day) < 5;
}

std::int64_t TradingCalendar::indexOf(std::int64_t day) const
{
    if (m_alwaysOpen)
        return day;
    // Weeks counted from Monday 1969-12-29, five trading days each.
    const std::int64_t week = floorDiv(day + 3, 7);
    const int wd = simtime::weekday(day);
    return week * 5 + (wd < 5 ? wd : 4);
}

std::int64_t TradingCalendar::dayAt(std::int64_t index) const
{
    if (m_alwaysOpen)
        return index;
    const std::int64_t week = floorDiv(index, 5);
    return week * 7 + (index - week * 5) - 3;
}

std::int64_t TradingCalendar::firstIndexOnOrAfter(std::int64_t day) const
{
    return isTradingDay(day) ? indexOf(day) : indexOf(day) + 1;
}

TradingCalendar::Moment TradingCalendar::momentAt(std::int64_t time) const
{
    const std::int64_t day = simtime::dayOf(time);
    const int second = simtime::secondOfDay(time);
    const int open = m_openMinute * 60;
    if (isTradingDay(day) && second >= open) {
        const int into = second - open;
        const int length = sessionMinutes() * 60;
        return {day, into < length ? into : length};
    }
    return {dayAt(indexOf(day - 1)), sessionMinutes() * 60};
}
