#include "core/futures/pagewalk.h"

#include "core/net/cnumber.h"

#include <algorithm>

namespace {
constexpr std::size_t None = std::string_view::npos;

// The page text and the walk's primitives over it; every search stops at the end of the text.
class Walk
{
public:
    explicit Walk(std::string_view text) : m_text(text) {}

    std::size_t find(std::string_view marker, std::size_t from) const
    {
        return from == None || from > m_text.size() ? None : m_text.find(marker, from);
    }

    // The text of the cell whose "<td" is at q: from the depth-th ">" after q up to the next
    // "<", without its angle brackets. Deep cells (depth 2) wrap their value in one more tag.
    std::optional<std::string> cellText(std::size_t q, int depth) const
    {
        std::size_t g = q;
        for (int i = 0; i < depth; ++i)
            if ((g = find(">", g + 1)) == None)
                return std::nullopt;
        const std::size_t end = find("<", g + 1);
        if (end == None)
            return std::nullopt;
        std::string text(m_text.substr(g, end - g));
        std::erase_if(text, [](char c) { return c == '<' || c == '>'; });
        return text;
    }

    // The positions of N cells counted from from on, each search one past the previous find;
    // all of them must lie in the row that starts at rowStart.
    template <std::size_t N>
    std::optional<std::array<std::size_t, N>>
    cells(std::size_t rowStart, std::size_t from, std::string_view cell, std::string_view row) const
    {
        if (rowStart == None)
            return std::nullopt;
        const std::size_t rowEnd = find(row, rowStart + 1);
        std::array<std::size_t, N> at{};
        std::size_t q = find(cell, from);
        for (std::size_t i = 0; i < N; ++i) {
            if (q == None || q < rowStart || q >= rowEnd)
                return std::nullopt;
            at[i] = q;
            q = find(cell, q + 1);
        }
        return at;
    }

private:
    std::string_view m_text;
};

// One contract row: the third cell is the expiry, the next two are dropped, the seven after
// them are the values. The position after the last cell read goes back through next.
std::optional<ContractMonth> contractRow(const Walk &walk, std::size_t row, std::size_t from,
                                         std::size_t &next)
{
    const auto at = walk.cells<12>(row, from, "<td", "<tr>");
    if (!at)
        return std::nullopt;
    ContractMonth month;
    auto expiry = walk.cellText((*at)[2], 2);
    if (!expiry)
        return std::nullopt;
    month.expiry = std::move(*expiry);
    for (std::size_t i = 0; i < month.values.size(); ++i) {
        auto value = walk.cellText((*at)[5 + i], 1);
        if (!value)
            return std::nullopt;
        month.values[i] = dashRule(std::move(*value));
    }
    next = (*at)[11] + 1;
    return month;
}

std::optional<TradeStatRow> statRow(const Walk &walk, std::size_t row, std::size_t &next)
{
    const auto at = walk.cells<3>(row, row, "<TD", "<TR>");
    if (!at)
        return std::nullopt;
    TradeStatRow stat;
    std::string *fields[] = {&stat.product, &stat.contracts, &stat.turnover};
    for (std::size_t i = 0; i < 3; ++i) {
        auto text = walk.cellText((*at)[i], 1);
        if (!text)
            return std::nullopt;
        *fields[i] = std::move(*text);
    }
    next = (*at)[2] + 1;
    return stat;
}
} // namespace

std::string pageText(std::string_view body)
{
    std::string text(body);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

std::optional<ContractMonths> walkContractPage(std::string_view page)
{
    const Walk walk(page);
    ContractMonths months;
    std::size_t p = walk.find("Instrument Type", 0);
    for (std::size_t m = 0; m < months.size(); ++m) {
        // The third month is counted on from the second without looking for its row; its
        // cells must still be a row of their own.
        const std::size_t row = walk.find("<tr>", p);
        auto month = contractRow(walk, row, m < 2 ? row : p, p);
        if (!month)
            return std::nullopt;
        months[m] = std::move(*month);
    }
    return months;
}

std::optional<TradeStats> walkStatsPage(std::string_view page)
{
    const Walk walk(page);
    TradeStats stats;
    const std::size_t a = walk.find("Trade Statistics", 0);
    const std::size_t end = walk.find("<", a == None ? None : a + 1);
    if (end == None)
        return std::nullopt;
    stats.heading = std::string(page.substr(a, end - a));
    // The first row after the heading holds the column captions.
    const std::size_t captions = walk.find("<TR>", a + 1);
    std::size_t p = captions == None ? None : captions + 1;
    for (TradeStatRow &row : stats.rows) {
        const std::size_t at = walk.find("<TR>", p);
        auto read = statRow(walk, at, p);
        if (!read)
            return std::nullopt;
        row = std::move(*read);
    }
    return stats;
}

std::string dashRule(std::string value)
{
    if (value == "-" || cStrToDouble(value) == 0)
        return "-";
    return value;
}

std::optional<std::string> expiryLabel(std::string_view expiry)
{
    if (expiry.size() < 9)
        return std::nullopt;
    const std::size_t n = expiry.size();
    return std::string(expiry.substr(0, 2)) + "-" + std::string(expiry.substr(n - 7, 3)) + "-" +
           std::string(expiry.substr(n - 4));
}
