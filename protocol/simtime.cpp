#include "simtime.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace simtime {

int weekday(std::int64_t days)
{
    // 1970-01-01 was a Thursday (3 when Monday is 0).
    const std::int64_t w = (days + 3) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

namespace {
bool readInt(std::string_view text, std::size_t pos, std::size_t len, int &out)
{
    if (pos + len > text.size())
        return false;
    const char *first = text.data() + pos;
    const auto [end, ec] = std::from_chars(first, first + len, out);
    return ec == std::errc() && end == first + len;
}
} // namespace

std::optional<std::int64_t> parseIso(std::string_view text)
{
    CivilDate date;
    int hour = 0, minute = 0, second = 0;
    if (text.size() != 16 && text.size() != 19)
        return std::nullopt;
    if (!readInt(text, 0, 4, date.year) || text[4] != '-' || !readInt(text, 5, 2, date.month) ||
        text[7] != '-' || !readInt(text, 8, 2, date.day) || (text[10] != 'T' && text[10] != ' ') ||
        !readInt(text, 11, 2, hour) || text[13] != ':' || !readInt(text, 14, 2, minute))
        return std::nullopt;
    if (text.size() == 19 && (text[16] != ':' || !readInt(text, 17, 2, second)))
        return std::nullopt;
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31 || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    const std::int64_t days = daysFromCivil(date);
    if (civilFromDays(days).day != date.day) // 31 April and the like
        return std::nullopt;
    return days * SecondsPerDay + hour * 3600 + minute * 60 + second;
}

std::string formatIso(std::int64_t seconds)
{
    const CivilDate d = civilFromDays(dayOf(seconds));
    const int s = secondOfDay(seconds);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", d.year, d.month, d.day,
                  s / 3600, s / 60 % 60, s % 60);
    return buf;
}

std::string formatQuoteDate(std::int64_t days)
{
    const CivilDate d = civilFromDays(days);
    char buf[24];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", d.month, d.day, d.year);
    return buf;
}

std::string formatQuoteTime(int minuteOfDay)
{
    const int hour = minuteOfDay / 60 % 24;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d%s", hour12, minuteOfDay % 60, hour < 12 ? "am" : "pm");
    return buf;
}

std::int64_t machineNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const CivilDate date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    return daysFromCivil(date) * SecondsPerDay + local.tm_hour * 3600 + local.tm_min * 60 +
           local.tm_sec;
}

} // namespace simtime
