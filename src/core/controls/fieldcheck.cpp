#include "core/controls/fieldcheck.h"

#include "core/net/cnumber.h"

#include <array>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits with an optional sign, point and exponent, and nothing else: "12", "-0.5", ".5",
// "1e3". Read with the C library's rules once it is known to be whole.
bool looksLikeNumber(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        if (i == start)
            return false;
    }
    return i == s.size();
}

bool looksLikeInteger(std::string_view s)
{
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (i == s.size() || s.size() - i > 18)
        return false;
    for (; i < s.size(); ++i)
        if (!isDigit(s[i]))
            return false;
    return true;
}

std::string shortest(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", DBL_DIG, value);
    return buffer;
}
} // namespace

std::string numberFieldText(double value)
{
    std::array<char, 400> buffer; // a double's widest fixed form has 309 digits before the point
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed);
    return std::string(buffer.data(), end.ptr);
}

std::string numberRangeMessage(double minimum, double maximum)
{
    return "Please enter a number between " + shortest(minimum) + " and " + shortest(maximum) + ".";
}

std::string integerRangeMessage(long minimum, long maximum)
{
    return "Please enter an integer between " + std::to_string(minimum) + " and " +
           std::to_string(maximum) + ".";
}

FieldValue<double> takeNumber(std::string_view text, double minimum, double maximum)
{
    const std::string_view s = trimmed(text);
    if (!looksLikeNumber(s))
        return {std::nullopt, "Please enter a number."};
    const double value = cStrToDouble(s);
    if (!std::isfinite(value) || value < minimum || value > maximum)
        return {std::nullopt, numberRangeMessage(minimum, maximum)};
    return {value, {}};
}

FieldValue<long> takeInteger(std::string_view text, long minimum, long maximum)
{
    const std::string_view s = trimmed(text);
    if (!looksLikeInteger(s))
        return {std::nullopt, "Please enter an integer."};
    const auto value = cStrToLong64(s);
    if (value < minimum || value > maximum)
        return {std::nullopt, integerRangeMessage(minimum, maximum)};
    return {static_cast<long>(value), {}};
}
