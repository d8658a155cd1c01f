#include "indiatime.h"

#include <cstdio>

namespace indiatime {

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
