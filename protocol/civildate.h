#pragma once

#include <chrono>
#include <cstdint>

// A calendar date, and its days since 1970-01-01 (proleptic Gregorian), by the standard
// library's calendar: the one date arithmetic the simulator and the live gateway share.
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
