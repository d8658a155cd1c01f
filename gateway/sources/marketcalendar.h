#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

// India's equity market days and hours: Monday to Friday, 09:15 to 15:30 India time, less the
// exchanges' holidays. A year with no holiday list treats every weekday as a trading day.
// Days are days since 1970-01-01 of India's date; instants are UTC seconds.
class MarketCalendar
{
public:
    static constexpr int OpenMinute = 9 * 60 + 15;
    static constexpr int CloseMinute = 15 * 60 + 30;

    // "date,weekday,occasion" lines with ISO dates; false, keeping what was read, when a
    // line is not one.
    bool readHolidays(std::string_view csv);
    void addHoliday(std::int64_t day);

    bool tradingDay(std::int64_t day) const;
    // The trading day itself, or the nearest one before it.
    std::int64_t tradingDayAtOrBefore(std::int64_t day) const;
    // True while the session of a trading day runs, open and close minutes included.
    bool sessionOpen(std::int64_t utcSeconds) const;
    // The latest trading day whose session has ended by then.
    std::int64_t lastClosedSession(std::int64_t utcSeconds) const;
    // The UTC instant of a day's close.
    static std::int64_t closeOf(std::int64_t day);

private:
    std::set<std::int64_t> m_holidays;
};
