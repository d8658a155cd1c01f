#include "core/net/quoteorigin.h"

#include "core/common/datetext.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>

namespace {
// India keeps UTC+5:30 all year.
constexpr std::int64_t IndiaOffsetSeconds = 19800;

template <typename T> bool readWhole(std::string_view text, T &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

QuoteOrigin parseEntry(std::string_view entry)
{
    std::array<std::string_view, 4> parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t semi = entry.find(';');
        if ((semi == std::string_view::npos) != (i == parts.size() - 1))
            return {};
        parts[i] = entry.substr(0, semi);
        entry.remove_prefix(semi == std::string_view::npos ? entry.size() : semi + 1);
    }
    static constexpr std::array<std::string_view, 4> kinds{"live", "delayed", "closed", "eod"};
    QuoteOrigin origin;
    for (std::size_t k = 0; k < kinds.size(); ++k)
        if (parts[0] == kinds[k])
            origin.kind = static_cast<QuoteOrigin::Kind>(k + 1);
    origin.source = std::string(parts[1]);
    if (origin.kind == QuoteOrigin::Unknown || origin.source.empty() ||
        !readWhole(parts[2], origin.at) || origin.at <= 0 ||
        !readWhole(parts[3], origin.delayedMinutes) || origin.delayedMinutes < 0)
        return {};
    return origin;
}
} // namespace

std::vector<QuoteOrigin> parseQuoteOrigins(std::string_view text)
{
    std::vector<QuoteOrigin> origins;
    if (text.empty())
        return origins;
    for (;;) {
        const std::size_t comma = text.find(',');
        origins.push_back(parseEntry(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            return origins;
        text.remove_prefix(comma + 1);
    }
}

std::string quoteOriginTip(const QuoteOrigin &origin)
{
    if (origin.kind == QuoteOrigin::Unknown || origin.kind == QuoteOrigin::Live)
        return {};
    using namespace std::chrono;
    const sys_seconds local{seconds(origin.at + IndiaOffsetSeconds)};
    const sys_days day = floor<days>(local);
    const year_month_day date{day};
    const hh_mm_ss clock{local - day};
    const std::string dateText = dayMonthYearText(date);
    const std::string via =
        " via " + (origin.source == "end-of-day" ? std::string("end of day") : origin.source);
    if (origin.kind != QuoteOrigin::Delayed)
        return "Close of " + dateText + via;
    char timeText[16];
    std::snprintf(timeText, sizeof timeText, "%02d:%02d", static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()));
    return "Delayed " + std::to_string(origin.delayedMinutes) + " min, " + timeText + " of " +
           dateText + via;
}
