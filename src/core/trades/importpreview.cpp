#include "core/trades/importpreview.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace {
// Sales beyond the holding at their moment: indexes into rows.
std::set<std::size_t> oversold(const std::vector<TradebookRow> &rows,
                               const std::vector<Trade> &stored, std::vector<RefusedRow> &refused)
{
    struct Event
    {
        const Trade *trade;
        std::size_t row; // rows.size() for a stored trade
    };
    std::vector<Event> events;
    events.reserve(stored.size() + rows.size());
    for (const Trade &trade : stored)
        events.push_back({&trade, rows.size()});
    for (std::size_t i = 0; i < rows.size(); ++i)
        events.push_back({&rows[i].trade, i});
    std::ranges::stable_sort(events, [](const Event &a, const Event &b) {
        return std::tie(a.trade->date, a.trade->time) < std::tie(b.trade->date, b.trade->time);
    });

    std::unordered_map<std::string, long> held;
    std::set<std::size_t> refusedRows;
    for (const Event &e : events) {
        const Trade &t = *e.trade;
        long &balance = held[t.symbol + (t.kind == TradeKind::Delivery ? "|D" : "|I")];
        if (t.side == TradeSide::Buy) {
            balance += t.quantity;
        } else if (t.quantity <= balance) {
            balance -= t.quantity;
        } else if (e.row < rows.size()) {
            refused.push_back({rows[e.row].line, "it sells " + std::to_string(t.quantity) + " " +
                                                     t.symbol + " where " +
                                                     std::to_string(balance) + " are held"});
            refusedRows.insert(e.row);
        } else {
            balance = 0; // a stored oversale: its shortfall is shown with its result
        }
    }
    return refusedRows;
}
} // namespace

std::string duplicateKey(const Trade &trade)
{
    if (trade.exchangeTradeId.empty())
        return {};
    return trade.exchange + '|' + trade.exchangeTradeId + '|' + trade.date;
}

ImportPreview previewImport(const Tradebook &book, const std::vector<Trade> &stored, long brokerId)
{
    ImportPreview preview;
    preview.refused = book.refused;
    std::unordered_set<std::string> held;
    for (const Trade &trade : stored)
        if (std::string key = duplicateKey(trade); !key.empty())
            held.insert(std::move(key));

    std::unordered_map<std::string, int> seen; // key -> line in this file
    std::vector<TradebookRow> rows;
    for (const TradebookRow &row : book.rows) {
        const std::string key = duplicateKey(row.trade);
        if (held.contains(key)) {
            preview.alreadyHeld.push_back(row);
        } else if (const auto [first, fresh] = seen.emplace(key, row.line); !fresh) {
            preview.refused.push_back(
                {row.line, "it repeats the trade of line " + std::to_string(first->second)});
        } else {
            rows.push_back(row);
            rows.back().trade.brokerId = brokerId;
        }
    }

    // symbol, date -> bought, sold
    std::map<std::pair<std::string, std::string>, std::pair<bool, bool>> days;
    for (const TradebookRow &row : rows) {
        auto &[bought, sold] = days[{row.trade.symbol, row.trade.date}];
        (row.trade.side == TradeSide::Buy ? bought : sold) = true;
    }
    for (const auto &[day, sides] : days)
        if (sides.first && sides.second)
            preview.intraday.push_back({day.first, day.second});
    for (TradebookRow &row : rows)
        if (const auto &sides = days[{row.trade.symbol, row.trade.date}];
            sides.first && sides.second)
            row.trade.kind = TradeKind::Intraday;

    const std::set<std::size_t> refusedRows = oversold(rows, stored, preview.refused);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!refusedRows.contains(i))
            preview.toAdd.push_back(std::move(rows[i]));
    std::ranges::stable_sort(preview.refused, {}, &RefusedRow::line);
    return preview;
}

std::string describePreview(const ImportPreview &preview)
{
    std::string text = std::to_string(preview.toAdd.size()) + " new, " +
                       std::to_string(preview.alreadyHeld.size()) + " already held, " +
                       std::to_string(preview.refused.size()) + " refused\n";
    for (const RefusedRow &row : preview.refused)
        text += "  line " + std::to_string(row.line) + " refused: " + row.reason + "\n";
    for (const IntradayDay &day : preview.intraday)
        text += "  " + day.symbol + " was bought and sold on " + day.date + ": taken as intraday\n";
    return text;
}
