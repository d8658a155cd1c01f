#include "core/trades/exactnumber.h"

#include <charconv>
#include <string>

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The integer part without its group commas, or nothing when a comma is out of place: groups
// after the first have two or three digits, and the last has three.
std::optional<std::string> ungrouped(std::string_view whole)
{
    if (whole.find(',') == std::string_view::npos)
        return std::string(whole);
    std::string digits;
    std::size_t group = 0;
    bool first = true;
    for (std::size_t i = 0; i <= whole.size(); ++i) {
        if (i == whole.size() || whole[i] == ',') {
            const bool last = i == whole.size();
            if (group == 0 || (first && group > 3) ||
                (!first && !last && group != 2 && group != 3) || (!first && last && group != 3))
                return std::nullopt;
            first = false;
            group = 0;
            continue;
        }
        digits += whole[i];
        ++group;
    }
    return digits;
}
} // namespace

std::optional<double> readDecimal(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    for (char c : whole)
        if (!isDigit(c) && c != ',')
            return std::nullopt;
    for (char c : fraction)
        if (!isDigit(c))
            return std::nullopt;
    auto digits = ungrouped(whole);
    if (!digits)
        return std::nullopt;
    std::string plain = *digits;
    if (!fraction.empty())
        plain += "." + std::string(fraction);
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

std::optional<long> readCount(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos &&
        text.find_first_not_of('0', point + 1) != std::string_view::npos)
        return std::nullopt;
    const auto value = readDecimal(text);
    if (!value || *value > 1e15)
        return std::nullopt;
    return static_cast<long>(*value);
}
