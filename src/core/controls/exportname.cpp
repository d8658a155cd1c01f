#include "core/controls/exportname.h"

#include <cstdio>

std::string defaultExportName(const LocalTime &t)
{
    const int hour = t.hour >= 13 ? t.hour - 12 : t.hour;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d-%02d-%d_%02d-%02d-%02d%s", t.day, t.month, t.year, hour, t.minute,
                  t.second, t.hour < 12 ? "AM" : "PM");
    return buffer;
}

std::optional<std::string> acceptExportName(const std::string &entered)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    std::size_t begin = 0, end = entered.size();
    while (begin < end && isBlank(entered[begin]))
        ++begin;
    while (end > begin && isBlank(entered[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    return entered.substr(begin, end - begin);
}
