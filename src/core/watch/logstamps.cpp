#include "core/watch/logstamps.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace logstamp {
namespace {
std::string threeParts(const char *format, int a, int b, int c)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}
} // namespace

std::string dateFolder(const LocalTime &t)
{
    return threeParts("%02d-%02d-%04d", t.month, t.day, t.year);
}

std::string date(const LocalTime &t)
{
    return threeParts("%02d/%02d/%04d", t.month, t.day, t.year);
}

std::string time(const LocalTime &t)
{
    return threeParts("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::string timeMinus15(const LocalTime &t)
{
    const int s = (t.secondsOfDay() - 900 + 86400) % 86400;
    return threeParts("%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
}

std::string price(double value)
{
    std::array<char, 400> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, 2);
    return std::string(buffer.data(), end.ptr);
}
} // namespace logstamp
