#include "core/toppers/toppersrow.h"

#include "core/net/displayformat.h"

#include <algorithm>

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
        return formatDisplay(row.price);
    case Percent:
        return formatDisplay(row.percent);
    case Volume:
        return formatQuantity(row.volume);
    case Turnover:
        return formatQuantity(row.turnover);
    case Open:
        return formatDisplay(row.open);
    case High:
        return formatDisplay(row.high);
    case Low:
        return formatDisplay(row.low);
    default:
        return {};
    }
}

ToppersColours toppersCellColours(const ToppersRow &row, int column)
{
    using namespace topperscol;
    const double percent = shown(row.percent);
    const double price = shown(row.price);
    switch (column) {
    case Price:
    case Percent:
        return {colours::White, percent < 0    ? colours::Red
                                : percent == 0 ? colours::Blue
                                               : colours::DarkGreen};
    case High:
    case Low:
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
    // a before b when b's key is smaller by a whole step of the column's resolution.
    auto before = [column](const ToppersRow &a, const ToppersRow &b) {
        switch (column) {
        case Percent:
            return static_cast<long long>((b.percent - a.percent) * 100.0f) < 0;
        case Volume:
            return static_cast<long long>(b.volume) - a.volume < 0;
        default:
            return static_cast<long long>((b.turnover - a.turnover) * 0.001) < 0;
        }
    };
    if (column != Percent && column != Volume && column != Turnover)
        return false;
    std::stable_sort(rows.begin(), rows.end(), before);
    return true;
}
