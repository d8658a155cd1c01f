#include "indiatime.h"

#include <cstdio>

namespace indiatime {

// Civil-calendar conversions after H. Hinnant's public-domain algorithms.
Date dateOfDay(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    Date d;
    d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    d.year = static_cast<int>(yoe + era * 400 + (d.month <= 2));
    return d;
}

std::int64_t dayOfDate(const Date &date)
{
    const std::int64_t y = date.year - (date.month <= 2);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned m = static_cast<unsigned>(date.month);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t indiaDay(std::int64_t utcSeconds)
{
    const std::int64_t local = utcSeconds + offsetSeconds;
    return local >= 0 ? local / 86400 : (local - 86399) / 86400;
}

int weekday(std::int64_t days)
{
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

std::string slashDate(std::int64_t days)
{
    const Date d = dateOfDay(days);
    return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" + std::to_string(d.year);
}

std::string compactDate(std::int64_t days)
{
    const Date d = dateOfDay(days);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", d.year % 10000, d.month, d.day);
    return text;
}

std::string clockTime(std::int64_t utcSeconds)
{
    const std::int64_t local = utcSeconds + offsetSeconds;
    const int minuteOfDay = static_cast<int>(((local % 86400) + 86400) % 86400 / 60);
    const int hour = minuteOfDay / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d%s", hour % 12 == 0 ? 12 : hour % 12, minuteOfDay % 60,
                  hour < 12 ? "AM" : "PM");
    return text;
}

std::string isoUtc(std::chrono::system_clock::time_point when)
{
    const std::int64_t seconds =
        std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    const std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t rest = seconds - days * 86400;
    const Date d = dateOfDay(days);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", d.year % 10000, d.month,
                  d.day, static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                  static_cast<int>(rest % 60));
    return text;
}

std::int64_t parseIsoDate(const std::string &text)
{
    Date d;
    char tail = 0;
    if (text.size() != 10 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &d.year, &d.month, &d.day, &tail) != 3)
        return -1;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31)
        return -1;
    const std::int64_t day = dayOfDate(d);
    const Date back = dateOfDay(day);
    return back.month == d.month && back.day == d.day ? day : -1;
}

} // namespace indiatime
