#include "core/toppers/toppersrow.h"

#include "core/net/displayformat.h"
#include "core/net/quotecells.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

ToppersRow makeToppersRow(const std::string &companyName, const std::string &symbol,
                          const QuoteRecord &quote)
{
    ToppersRow row;
    row.companyName = companyName;
    row.symbol = symbol;
    row.price = quote.last;
    row.percent = percentChange(quote.last, quote.change);
    row.volume = quote.volume;
    row.turnover = static_cast<double>(quote.volume) * quote.last;
    row.open = quote.open;
    row.high = quote.high;
    row.low = quote.low;
    row.missing = quote.missing;
    row.origin = quote.origin;
    return row;
}

namespace topperscol {
const std::array<std::string, Count> &headers()
{
    static const std::array<std::string, Count> h{
        "  Company Name", "Index Name", "Curr.Price", "%Ch",  "Volume   ",
        "Turnover  ",     "Open  ",     "High  ",     "Low  "};
    return h;
}

const std::array<int, Count> &widths()
{
    static const std::array<int, Count> w{140, 0, 60, 40, 85, 106, 0, 60, 60};
    return w;
}
} // namespace topperscol

std::string toppersCellText(const ToppersRow &row, int column)
{
    using namespace topperscol;
    switch (column) {
    case Name:
        return row.companyName;
    case Symbol:
        return row.symbol;
    case Price:
        return quoteCellText(row.missing, quotefield::Last, row.price);
    case Percent:
        return quoteCellText(row.missing, PercentFields, row.percent);
    case Volume:
    case Turnover: {
        const std::uint16_t fields =
            column == Volume ? quotefield::Volume : quotefield::Volume | quotefield::Last;
        if ((row.missing & fields) != 0)
            return NotAvailableText;
        return formatQuantity(column == Volume ? row.volume : row.turnover);
    }
    case Open:
        return quoteCellText(row.missing, quotefield::Open, row.open);
    case High:
        return quoteCellText(row.missing, quotefield::High, row.high);
    case Low:
        return quoteCellText(row.missing, quotefield::Low, row.low);
    default:
        return {};
    }
}

ToppersColours toppersCellColours(const ToppersRow &row, int column)
{
    using namespace topperscol;
    const double percent = shown(row.percent);
    const double price = shown(row.price);
    // No change is no direction to colour by.
    if ((row.missing & PercentFields) != 0)
        return {};
    switch (column) {
    case Price:
    case Percent:
        return {colours::White, percent < 0    ? colours::Red
                                : percent == 0 ? colours::Blue
                                               : colours::DarkGreen};
    case High:
    case Low:
        if ((row.missing & (quotefield::High | quotefield::Low)) != 0)
            return {};
        if (shown(row.low) >= price && percent < 0)
            return {colours::Red, colours::Black};
        if (shown(row.high) <= price && percent > 0)
            return {colours::Up, colours::Black};
        return {};
    default:
        return {};
    }
}

bool sortToppers(std::vector<ToppersRow> &rows, int column)
{
    using namespace topperscol;
    // Each row's key at the column's resolution: comparing keys orders the rows strictly, so
    // equal keys keep their order and a sorted list sorts to itself. (A truncated difference
    // of two values is no order: a may tie b and b tie c while a is above c.) N/A sorts last.
    auto key = [column](const ToppersRow &r) -> double {
        const std::uint16_t fields =
            column == Percent  ? PercentFields
            : column == Volume ? quotefield::Volume
                               : static_cast<std::uint16_t>(quotefield::Volume | quotefield::Last);
        if ((r.missing & fields) != 0)
            return -std::numeric_limits<double>::infinity();
        switch (column) {
        case Percent:
            return shown(r.percent); // as the list shows it: to the paisa
        case Volume:
            return r.volume;
        default:
            return std::floor(r.turnover * 0.001);
        }
    };
    if (column != Percent && column != Volume && column != Turnover)
        return false;
    std::vector<std::pair<double, std::size_t>> order;
    order.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        order.emplace_back(key(rows[i]), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<ToppersRow> sorted;
    sorted.reserve(rows.size());
    for (const auto &[k, i] : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
    return true;
}
