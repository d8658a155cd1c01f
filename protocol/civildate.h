#pragma once

#include <chrono>
#include <cstdint>

// A calendar date, and its days since 1970-01-01 (proleptic Gregorian), by the standard
// library's calendar: the one date arithmetic the simulator, the live gateway and the
// charting program share.
struct CivilDate
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
};

inline std::int64_t daysFromCivil(const CivilDate &date)
{
    using namespace std::chrono;
    const year_month_day ymd{year{date.year}, month{static_cast<unsigned>(date.month)},
                             day{static_cast<unsigned>(date.day)}};
    return sys_days{ymd}.time_since_epoch().count();
}

inline CivilDate civilFromDays(std::int64_t days)
{
    using namespace std::chrono;
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// Local times count seconds since 1970-01-01 00:00 of the market's own clock, with no time
// zone attached: quotes and bars are stamped so, and a day starts at a whole day's seconds.
inline constexpr std::int64_t SecondsPerDay = 86400;

inline std::int64_t localTime(std::int64_t day, int minute)
{
    using namespace std::chrono;
    return duration_cast<seconds>(days{day} + minutes{minute}).count();
}

inline std::int64_t dayOf(std::int64_t time)
{
    using namespace std::chrono;
    return floor<days>(seconds{time}).count();
}

inline int secondOfDay(std::int64_t time)
{
    return static_cast<int>(time - localTime(dayOf(time), 0));
}

// The start of the minute a time falls in.
inline std::int64_t minuteStart(std::int64_t time)
{
    using namespace std::chrono;
    return duration_cast<seconds>(floor<minutes>(seconds{time})).count();
}
