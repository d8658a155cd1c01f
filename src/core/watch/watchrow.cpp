#include "core/watch/watchrow.h"

#include "core/net/cnumber.h"
#include "core/net/displayformat.h"

namespace watchcol {
const std::array<std::string, Count> &headers()
{
    static const std::array<std::string, Count> h = {"  Company Name",
                                                     "Indx ",
                                                     "Indx Name",
                                                     "Cur.Price",
                                                     "Chg",
                                                     "%Ch",
                                                     "Volume   ",
                                                     "Open  ",
                                                     "High  ",
                                                     "Low  ",
                                                     "YearLow  ",
                                                     "YearHigh  ",
                                                     "ALERT",
                                                     "LowerLimit",
                                                     "UpperLimit",
                                                     "PrevVolume",
                                                     "PrevVolumeDataTaken",
                                                     "PrevPrice"};
    return h;
}

const std::array<int, Count> &widths()
{
    static const std::array<int, Count> w = {125, 35, 0, 60, 50, 42, 80, 60, 60,
                                             60,  0,  0, 0,  0,  0,  0,  0,  0};
    return w;
}

bool alignedLeft(int column)
{
    return column == Name || column == PrevVolume;
}
} // namespace watchcol

double WatchListRow::value(int column) const
{
    return readBackNumber(cell(column));
}

WatchListRow buildWatchRow(const WatchRow &entry, const QuoteRecord &quote,
                           const PreviousValues &previous)
{
    using namespace watchcol;
    WatchListRow row;
    row.companyName = entry.companyName;
    row.exchange = entry.exchange;
    row.symbol = entry.symbol;
    row.last = quote.last;
    row.change = quote.change;
    row.percent = percentChange(quote.last, quote.change);
    row.volume = quote.volume;
    row.open = quote.open;
    row.high = quote.high;
    row.low = quote.low;
    row.yearLow = quote.yearLow;
    row.yearHigh = quote.yearHigh;
    row.alert = entry.alert;
    row.lowerLimit = entry.lowerLimit;
    row.upperLimit = entry.upperLimit;
    row.previousVolume = previous.volume;
    row.previousTaken = previous.taken;
    row.previousPrice = previous.price;

    auto &c = row.cells;
    c[Name] = row.companyName;
    c[Indx] = row.exchange;
    c[Symbol] = row.symbol;
    c[Price] = formatDisplay(row.last);
    c[Change] = formatDisplay(row.change);
    c[Percent] = formatDisplay(row.percent);
    c[Volume] = formatQuantity(row.volume);
    c[Open] = formatDisplay(row.open);
    c[High] = formatDisplay(row.high);
    c[Low] = formatDisplay(row.low);
    c[YearLow] = formatDisplay(row.yearLow);
    c[YearHigh] = formatDisplay(row.yearHigh);
    c[Alert] = formatDisplay(row.alert);
    c[LowerLimit] = formatDisplay(row.lowerLimit);
    c[UpperLimit] = formatDisplay(row.upperLimit);
    c[PrevVolume] = formatDisplay(row.previousVolume); // keeps its ".00", unlike Volume
    c[PrevTaken] = formatDisplay(row.previousTaken);
    c[PrevPrice] = formatDisplay(row.previousPrice);
    return row;
}

CellColours watchCellColours(const WatchListRow &row, int column, const WatchSwitches &switches)
{
    using namespace colours;
    using namespace watchcol;
    const double last = row.value(Price);
    switch (column) {
    case Name:
    case Indx:
        if (switches.myConfigured && row.value(Alert) > 0) {
            if (last >= row.value(UpperLimit))
                return {Up, Black};
            if (last <= row.value(LowerLimit))
                return {Down, Black};
        }
        return {White, Black};
    case Price: {
        const double previous = row.value(PrevPrice);
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
        const double change = row.value(Change);
        return {White, change > 0 ? DarkGreen : change == 0 ? Blue : Red};
    }
    case Volume:
    case Open:
        if (switches.dayHighLow) {
            const double change = row.value(Change);
            if (last <= row.value(Low) && change < 0)
                return {Down, Black};
            if (last >= row.value(High) && change > 0)
                return {Up, Black};
        }
        return {White, Black};
    case High:
    case Low:
        if (switches.yearHighLow) {
            if (last >= row.value(YearHigh))
                return {Up, Black};
            if (last <= row.value(YearLow))
                return {Down, Black};
        }
        return {White, Black};
    default:
        return {White, Black};
    }
}
