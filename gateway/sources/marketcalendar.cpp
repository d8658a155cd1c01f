#include "marketcalendar.h"

#include "indiatime.h"

bool MarketCalendar::readHolidays(std::string_view csv)
{
    bool good = true;
    while (!csv.empty()) {
        const std::size_t end = csv.find('\n');
        std::string_view line = csv.substr(0, end);
        csv.remove_prefix(end == std::string_view::npos ? csv.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with("date"))
            continue;
        const std::int64_t day = indiatime::parseIsoDate(std::string(line.substr(0, 10)));
        if (day < 0 || (line.size() > 10 && line[10] != ','))
            good = false;
        else
            addHoliday(day);
    }
    return good;
}

void MarketCalendar::addHoliday(std::int64_t day)
{
    m_holidays.insert(day);
}

bool MarketCalendar::tradingDay(std::int64_t day) const
{
    const int weekday = indiatime::weekday(day);
    return weekday != 0 && weekday != 6 && !m_holidays.contains(day);
}

std::int64_t MarketCalendar::tradingDayAtOrBefore(std::int64_t day) const
{
    // A fortnight of holidays in a row never happens; the bound keeps a bad list from looping.
    for (int k = 0; k < 15 && !tradingDay(day); ++k)
        --day;
    return day;
}

bool MarketCalendar::sessionOpen(std::int64_t utcSeconds) const
{
    const std::int64_t day = indiatime::indiaDay(utcSeconds);
    const std::int64_t minute = (utcSeconds + indiatime::offsetSeconds - day * 86400) / 60;
    return tradingDay(day) && minute >= OpenMinute && minute <= CloseMinute;
}

std::int64_t MarketCalendar::lastClosedSession(std::int64_t utcSeconds) const
{
    const std::int64_t today = indiatime::indiaDay(utcSeconds);
    const std::int64_t day = tradingDayAtOrBefore(today);
    if (day == today && utcSeconds < closeOf(today))
        return tradingDayAtOrBefore(today - 1);
    return day;
}

std::int64_t MarketCalendar::closeOf(std::int64_t day)
{
    return day * 86400 + CloseMinute * 60 - indiatime::offsetSeconds;
}
