#include "chartoptions.h"

#include "querystring.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {
constexpr int MaxPeriod = 500;
// Far more than the panel can ask for (nine of each); keeps a hand-made request's picture
// and drawing time bounded.
constexpr std::size_t MaxItems = 16;

// "26-12-9" or "50": every part a period of 1 .. MaxPeriod.
std::optional<std::vector<int>> periodsOf(std::string_view text)
{
    std::vector<int> periods;
    while (true) {
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || value < 1 || value > MaxPeriod)
            return std::nullopt;
        periods.push_back(value);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        if (text.empty())
            return periods;
        if (text.front() != '-')
            return std::nullopt;
        text.remove_prefix(1);
    }
}

std::optional<ChartItem> overlayOf(std::string_view item)
{
    if (item == "b")
        return ChartItem{ChartItem::Bollinger, {20, 2}};
    if (item == "p")
        return ChartItem{ChartItem::Sar, {}};
    if (item == "s")
        return ChartItem{ChartItem::Splits, {}};
    if (item == "v")
        return ChartItem{ChartItem::VolumeOverlay, {}};
    if (item.size() < 2 || (item[0] != 'm' && item[0] != 'e'))
        return std::nullopt;
    const auto periods = periodsOf(item.substr(1));
    if (!periods || periods->size() != 1)
        return std::nullopt;
    return ChartItem{item[0] == 'm' ? ChartItem::MovingAverage : ChartItem::Ema, *periods};
}

std::optional<ChartItem> indicatorOf(std::string_view item)
{
    if (item == "ss")
        return ChartItem{ChartItem::SlowStoch, {14, 3}};
    if (item == "fs")
        return ChartItem{ChartItem::FastStoch, {14, 3}};
    if (item == "v")
        return ChartItem{ChartItem::Volume, {}};
    if (item == "vm")
        return ChartItem{ChartItem::VolumeAverage, {20}};
    if (item.size() < 2)
        return std::nullopt;
    const auto periods = periodsOf(item.substr(1));
    if (!periods)
        return std::nullopt;
    // Each study letter and the number of periods it takes.
    static constexpr std::pair<char, std::pair<ChartItem::Kind, std::size_t>> Studies[] = {
        {'m', {ChartItem::Macd, 3}}, {'r', {ChartItem::Rsi, 1}},       {'f', {ChartItem::Mfi, 1}},
        {'p', {ChartItem::Roc, 1}},  {'w', {ChartItem::WilliamsR, 1}},
    };
    for (const auto &[letter, study] : Studies)
        if (item[0] == letter && periods->size() == study.second)
            return ChartItem{study.first, *periods};
    return std::nullopt;
}

template <typename Parse> std::vector<ChartItem> parseList(std::string_view list, Parse parse)
{
    std::vector<ChartItem> items;
    while (!list.empty() && items.size() < MaxItems) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
        // The panel appends an item again on every click; drawing it twice shows nothing more.
        if (const auto parsed = parse(item);
            parsed && std::find(items.begin(), items.end(), *parsed) == items.end())
            items.push_back(*parsed);
    }
    return items;
}

ChartRange rangeOf(std::string_view text)
{
    if (text == "5d")
        return ChartRange::FiveDays;
    if (text == "1m")
        return ChartRange::Month;
    if (text == "3m")
        return ChartRange::ThreeMonths;
    if (text == "6m")
        return ChartRange::SixMonths;
    if (text == "1y")
        return ChartRange::Year;
    if (text == "2y")
        return ChartRange::TwoYears;
    return ChartRange::Day;
}
} // namespace

std::vector<ChartItem> parseOverlays(std::string_view list)
{
    return parseList(list, overlayOf);
}

std::vector<ChartItem> parseIndicators(std::string_view list)
{
    return parseList(list, indicatorOf);
}

ChartOptions ChartOptions::fromQuery(const QueryString &query)
{
    ChartOptions o;
    o.symbol = query.value("s").value_or("");
    o.range = rangeOf(query.value("t").value_or(""));
    const std::string type = query.value("q").value_or("");
    o.type = type == "b" ? ChartType::Bars : type == "c" ? ChartType::Candles : ChartType::Line;
    o.logScale = query.value("l") == "on";
    o.large = query.value("z") == "l";
    o.overlays = parseOverlays(query.value("p").value_or(""));
    o.indicators = parseIndicators(query.value("a").value_or(""));
    const std::string list = query.value("c").value_or("");
    for (std::string_view rest = list; !rest.empty();) {
        const std::size_t comma = rest.find(',');
        const std::string_view symbol = rest.substr(0, comma);
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
        if (!symbol.empty() && o.compare.size() < 4)
            o.compare.emplace_back(symbol);
    }
    return o;
}

std::string_view rangeTitle(ChartRange range)
{
    switch (range) {
    case ChartRange::Day:
        return "1 day";
    case ChartRange::FiveDays:
        return "5 days";
    case ChartRange::Month:
        return "1 month";
    case ChartRange::ThreeMonths:
        return "3 months";
    case ChartRange::SixMonths:
        return "6 months";
    case ChartRange::Year:
        return "1 year";
    case ChartRange::TwoYears:
        return "2 years";
    }
    return "";
}
