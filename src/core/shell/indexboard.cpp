#include "core/shell/indexboard.h"

#include "core/net/displayformat.h"
#include "core/net/quotecells.h"
#include "core/net/quotesanity.h"

IndexBoard::IndexBoard()
{
    m_slots[Nifty].symbol = "NIFTY";
    m_slots[Sensex].symbol = "SENSEX";
}

std::vector<std::string> IndexBoard::quoteSymbols() const
{
    return {"^NSEI", "^BSESN", "USDINR=X"};
}

QuoteRecord *IndexBoard::quoteTarget(std::size_t index, const std::string &)
{
    return index < m_slots.size() ? &m_slots[index] : nullptr;
}

void IndexBoard::updateRows()
{
    m_rows.clear();
    auto makeRow = [](const QuoteRecord &from, const char *name, double previous) {
        QuoteRecord row;
        row.symbol = name;
        row.last = from.last;
        row.date = from.date;
        row.time = from.time;
        row.change = from.change;
        row.changePercent = percentChange(from.last, from.change);
        row.open = from.open;
        row.high = from.high;
        row.low = from.low;
        row.volume = from.volume;
        row.previousLast = previous;
        row.missing = from.missing;
        return row;
    };
    m_rows.push_back(makeRow(m_slots[Nifty], "NIFTY", m_previousNifty));
    m_rows.push_back(makeRow(m_slots[Sensex], "SENSEX", m_previousSensex));
    // A junk quote is no price to open the next bar with: it counts as N/A.
    m_previousNifty = isSaneQuote(m_slots[Nifty]) ? m_slots[Nifty].last : 0;
    m_previousSensex = isSaneQuote(m_slots[Sensex]) ? m_slots[Sensex].last : 0;
}

const std::array<std::string, IndexBoard::ColumnCount> &IndexBoard::headers()
{
    static const std::array<std::string, ColumnCount> h = {" Index",   "Curr.Price", "Date    ",
                                                           "Chng  ",   "Chng %",     "Open    ",
                                                           "High    ", "Low     ",   "PrevPrice"};
    return h;
}

const std::array<int, IndexBoard::ColumnCount> &IndexBoard::columnWidths()
{
    static const std::array<int, ColumnCount> w = {75, 75, 75, 60, 60, 75, 75, 75, 0};
    return w;
}

std::string IndexBoard::cellText(const QuoteRecord &row, int column)
{
    switch (column) {
    case 0:
        return row.symbol;
    case 1:
        return quoteCellText(row, quotefield::Last, row.last);
    case 2:
        return row.date;
    case 3:
        return quoteCellText(row, quotefield::Change, row.change);
    case 4:
        return quoteCellText(row, PercentFields, row.changePercent);
    case 5:
        return quoteCellText(row, quotefield::Open, row.open);
    case 6:
        return quoteCellText(row, quotefield::High, row.high);
    case 7:
        return quoteCellText(row, quotefield::Low, row.low);
    case 8:
        return formatDisplay(row.previousLast);
    default:
        return {};
    }
}

CellColours indexCellColours(int column, const QuoteRecord &row)
{
    using namespace colours;
    if (column == 1) {
        const double current = shown(row.last);
        const double previous = shown(row.previousLast);
        if (previous == 0 || !row.hasPrice())
            return {Black, White};
        if (current == previous)
            return {Blue, White};
        if (current > previous)
            return {Up, Black};
        return {Down, White};
    }
    if ((column == 3 || column == 4) && row.has(column == 3 ? quotefield::Change : PercentFields)) {
        const double change = shown(row.change);
        if (change > 0)
            return {White, DarkGreen};
        if (change == 0)
            return {White, Blue};
        return {White, Red};
    }
    return {White, Black};
}
