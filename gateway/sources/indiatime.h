#pragma once

#include "civildate.h"

#include <chrono>
#include <cstdint>
#include <string>

// India keeps one offset all year (UTC+5:30), so its local time needs no zone database.
namespace indiatime {

constexpr std::int64_t offsetSeconds = 19800;

using Date = CivilDate;

inline Date dateOfDay(std::int64_t daysSinceEpoch)
{
    return civilFromDays(daysSinceEpoch);
}
inline std::int64_t dayOfDate(const Date &date)
{
    return daysFromCivil(date);
}
// The India date of a UTC instant, as days since 1970-01-01.
std::int64_t indiaDay(std::int64_t utcSeconds);
int weekday(std::int64_t daysSinceEpoch); // 0 = Sunday

std::string slashDate(std::int64_t daysSinceEpoch);             // "6/20/2025"
std::string compactDate(std::int64_t daysSinceEpoch);           // "20250620"
std::string clockTime(std::int64_t utcSeconds);                 // "3:30PM" in India's time
std::string isoUtc(std::chrono::system_clock::time_point when); // "2025-06-20T10:00:00Z"
// "2025-06-20" as days since 1970-01-01; -1 when it is no such date.
std::int64_t parseIsoDate(const std::string &text);

} // namespace indiatime
