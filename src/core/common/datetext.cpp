#include "core/common/datetext.h"

#include <cstdio>

std::optional<std::chrono::year_month_day> isoDay(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (char c : text.substr(at, n)) {
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const int y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (y < 0 || m < 0 || d < 0)
        return std::nullopt;
    const std::chrono::year_month_day day{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                          std::chrono::day{unsigned(d)}};
    if (!day.ok())
        return std::nullopt;
    return day;
}

std::string dayMonthYearText(std::chrono::year_month_day day)
{
    static constexpr const char *Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[32];
    std::snprintf(text, sizeof text, "%02u-%s-%04d", unsigned(day.day()),
                  Months[(unsigned(day.month()) + 11) % 12], int(day.year()));
    return text;
}
