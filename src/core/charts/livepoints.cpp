#include "core/charts/livepoints.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<int> secondsOf(std::string_view t)
{
    if (t.size() != 8 || t[2] != ':' || t[5] != ':')
        return std::nullopt;
    for (std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!isDigit(t[i]))
            return std::nullopt;
    const auto two = [t](std::size_t i) { return (t[i] - '0') * 10 + (t[i + 1] - '0'); };
    if (two(0) > 23 || two(3) > 59 || two(6) > 59)
        return std::nullopt;
    return two(0) * 3600 + two(3) * 60 + two(6);
}

// A finite number that takes the whole field, blanks around it allowed.
std::optional<double> numberOf(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}
} // namespace

std::optional<LivePoint> parseDataLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::array<std::string_view, 8> fields;
    std::size_t count = 0;
    for (std::size_t start = 0; count < fields.size(); ++count) {
        const std::size_t comma = line.find(',', start);
        fields[count] =
            line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
        if (comma == std::string_view::npos) {
            ++count;
            break;
        }
        start = comma + 1;
    }
    if (count < fields.size())
        return std::nullopt;
    const auto seconds = secondsOf(fields[2]);
    const auto price = numberOf(fields[6]);
    const auto volume = numberOf(fields[7]);
    if (!seconds || !price || *price <= 0 || !volume)
        return std::nullopt;
    return LivePoint{std::string(fields[2]),
                     std::string(fields[6]),
                     std::string(fields[7]),
                     *seconds,
                     *price,
                     *volume};
}

void LiveSeries::reset()
{
    m_points.clear();
    m_maximum = m_minimum = 0;
    m_latest.clear();
}

bool LiveSeries::add(std::string_view line)
{
    const std::optional<LivePoint> point = parseDataLine(line);
    return point && add(*point);
}

bool LiveSeries::add(const LivePoint &point)
{
    // The same time twice is a snapshot read again before it was rewritten; it is plotted.
    if (!m_points.empty() && point.seconds < m_points.back().seconds)
        return false;
    m_latest = point.price;
    // The first price only raises the maximum; the minimum starts with the second.
    if (point.value > m_maximum)
        m_maximum = point.value;
    else if (point.value < m_minimum || m_minimum == 0)
        m_minimum = point.value;
    m_points.push_back(point);
    if (m_points.size() > MaxPoints)
        m_points.pop_front();
    return true;
}
