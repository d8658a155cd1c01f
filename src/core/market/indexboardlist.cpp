#include "core/market/indexboardlist.h"

#include "core/net/displayformat.h"
#include "core/net/quotecells.h"

IndexQuotes::IndexQuotes(std::vector<NamedSymbol> upper, std::vector<NamedSymbol> lower)
    : m_upper(std::move(upper)), m_lower(std::move(lower)),
      m_records(m_upper.size() + m_lower.size())
{
}

std::vector<std::string> IndexQuotes::quoteSymbols() const
{
    std::vector<std::string> out;
    for (const auto &table : {m_upper, m_lower})
        for (const NamedSymbol &s : table)
            out.emplace_back(s.symbol);
    return out;
}

QuoteRecord *IndexQuotes::quoteTarget(std::size_t index, const std::string &)
{
    return index < m_records.size() ? &m_records[index] : nullptr;
}

void IndexQuotes::quotesArrived()
{
    if (m_onArrived)
        m_onArrived();
}

std::vector<IndexRow> IndexQuotes::rows(const std::vector<NamedSymbol> &table,
                                        std::size_t first) const
{
    std::vector<IndexRow> out;
    out.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const QuoteRecord &r = m_records[first + i];
        out.push_back(IndexRow{std::string(table[i].name), std::string(table[i].symbol), r.last,
                               r.date, r.change, percentChange(r.last, r.change), r.open, r.high,
                               r.low, r.missing});
    }
    return out;
}

const std::array<std::string, IndexColumns::Count> &IndexColumns::headers()
{
    static const std::array<std::string, Count> h = {"Indices",   "Indx Name", "CP    ",
                                                     "Date     ", "Chg  ",     "%Ch  ",
                                                     "Open   ",   "High   ",   "Low    "};
    return h;
}

const std::array<int, IndexColumns::Count> &IndexColumns::widths()
{
    static const std::array<int, Count> w = {125, 0, 65, 75, 54, 54, 65, 65, 65};
    return w;
}

std::string IndexColumns::text(const IndexRow &row, int column, bool clampPercent)
{
    switch (column) {
    case 0:
        return row.name;
    case 1:
        return row.symbol;
    case 2:
        return quoteCellText(row.missing, quotefield::Last, row.price);
    case 3:
        return row.date;
    case 4:
        return quoteCellText(row.missing, quotefield::Change, row.change);
    case 5:
        if ((row.missing & PercentFields) == 0 && clampPercent &&
            !(row.percent >= -100 && row.percent <= 100))
            return "0.00";
        return quoteCellText(row.missing, PercentFields, row.percent);
    case 6:
        return quoteCellText(row.missing, quotefield::Open, row.open);
    case 7:
        return quoteCellText(row.missing, quotefield::High, row.high);
    case 8:
        return quoteCellText(row.missing, quotefield::Low, row.low);
    default:
        return {};
    }
}

Rgb IndexColumns::textColour(int column, double change)
{
    if (column != 2 && column != 4 && column != 5)
        return colours::Black;
    change = shown(change); // judged as the list shows it
    if (change < 0)
        return colours::Red;
    if (change == 0)
        return colours::Blue;
    return colours::DarkGreen;
}
