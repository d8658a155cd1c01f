#include "core/common/clock.h"

#include <ctime>

LocalTime SystemClock::now() const
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                     tm.tm_min,         tm.tm_sec,     tm.tm_wday};
}

LocalTime makeLocalTime(int year, int month, int day, int hour, int minute, int second)
{
    // Sakamoto's weekday rule: no time zone or library state involved.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = month < 3 ? year - 1 : year;
    const int weekday = (y + y / 4 - y / 100 + y / 400 + offsets[(month - 1) % 12] + day) % 7;
    return LocalTime{year, month, day, hour, minute, second, weekday};
}
