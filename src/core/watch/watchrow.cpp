#include "core/watch/watchrow.h"

#include "core/net/displayformat.h"
#include "core/net/quotecells.h"

float WatchedStock::percent() const
{
    return percentChange(quote.last, quote.change);
}

namespace watchcol {
const std::array<std::string, Count> &headers()
{
    static const std::array<std::string, Count> h = {
        "  Company Name", "Indx ",  "Cur.Price", "Chg",  "%Ch",
        "Volume   ",      "Open  ", "High  ",    "Low  "};
    return h;
}

const std::array<int, Count> &widths()
{
    static const std::array<int, Count> w = {125, 35, 60, 50, 42, 80, 60, 60, 60};
    return w;
}

bool alignedLeft(int column)
{
    return column == Name;
}

bool isText(int column)
{
    return column == Name || column == Indx;
}
} // namespace watchcol

std::uint16_t watchCellFields(int column)
{
    using namespace watchcol;
    switch (column) {
    case Price:
        return quotefield::Last;
    case Change:
        return quotefield::Change;
    case Percent:
        return PercentFields;
    case Volume:
        return quotefield::Volume;
    case Open:
        return quotefield::Open;
    case High:
        return quotefield::High;
    case Low:
        return quotefield::Low;
    default:
        return 0;
    }
}

double watchCellNumber(const WatchedStock &stock, int column)
{
    using namespace watchcol;
    const QuoteRecord &q = stock.quote;
    switch (column) {
    case Price:
        return q.last;
    case Change:
        return q.change;
    case Percent:
        return stock.percent();
    case Volume:
        return q.volume;
    case Open:
        return q.open;
    case High:
        return q.high;
    case Low:
        return q.low;
    default:
        return 0;
    }
}

std::string watchCellText(const WatchedStock &stock, int column)
{
    using namespace watchcol;
    switch (column) {
    case Name:
        return stock.entry.companyName;
    case Indx:
        return stock.entry.exchange;
    case Volume:
        return quoteQuantityText(stock.quote, quotefield::Volume, stock.quote.volume);
    default:
        return quoteCellText(stock.quote, watchCellFields(column), watchCellNumber(stock, column));
    }
}

CellColours watchCellColours(const WatchedStock &stock, int column, const WatchSwitches &switches)
{
    using namespace colours;
    using namespace watchcol;
    // The rules judge the values as the list prints them, so two prices closer than a paisa
    // are the same price.
    const WatchRow &e = stock.entry;
    const QuoteRecord &q = stock.quote;
    const double last = shown(q.last);
    // A figure that did not come is no price to judge: such a cell stays plain.
    if (!q.hasPrice() && column != Change && column != Percent)
        return column == Price ? CellColours{Black, White} : CellColours{White, Black};
    switch (column) {
    case Name:
    case Indx:
        if (switches.myConfigured && e.alert > 0) {
            if (last >= shown(e.upperLimit))
                return {Up, Black};
            if (last <= shown(e.lowerLimit))
                return {Down, Black};
        }
        return {White, Black};
    case Price: {
        const double previous = shown(stock.previous.price);
        if (previous == 0)
            return {Black, White};
        if (last == previous)
            return {Blue, White};
        if (last < previous)
            return {Down, White};
        return {Up, Black};
    }
    case Change:
    case Percent: {
        if (!q.has(watchCellFields(column)))
            return {White, Black};
        const double change = shown(q.change);
        return {White, change > 0 ? DarkGreen : change == 0 ? Blue : Red};
    }
    case Volume:
    case Open:
        if (switches.dayHighLow && q.has(quotefield::Change | quotefield::High | quotefield::Low)) {
            const double change = shown(q.change);
            if (last <= shown(q.low) && change < 0)
                return {Down, Black};
            if (last >= shown(q.high) && change > 0)
                return {Up, Black};
        }
        return {White, Black};
    case High:
    case Low:
        if (switches.yearHighLow && q.has(quotefield::YearHigh | quotefield::YearLow)) {
            if (last >= shown(q.yearHigh))
                return {Up, Black};
            if (last <= shown(q.yearLow))
                return {Down, Black};
        }
        return {White, Black};
    default:
        return {White, Black};
    }
}
