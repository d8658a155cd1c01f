#include "core/common/datetext.h"

#include <cstdio>

std::string dayMonthYearText(std::chrono::year_month_day day)
{
    static constexpr const char *Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[32];
    std::snprintf(text, sizeof text, "%02u-%s-%04d", unsigned(day.day()),
                  Months[(unsigned(day.month()) + 11) % 12], int(day.year()));
    return text;
}
