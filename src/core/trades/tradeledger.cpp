#include "core/trades/tradeledger.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {
bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

int yearOf(const std::string &date)
{
    return date.size() >= 4 ? std::stoi(date.substr(0, 4)) : 0;
}
} // namespace

std::vector<TradeLine> tradeLines(const std::vector<Trade> &trades, const TradePricing &pricing)
{
    std::vector<Trade> ordered = trades;
    std::ranges::stable_sort(ordered, happenedBefore);
    const std::vector<TradeCharges> charges = priceTrades(ordered, pricing);
    TradeBook book = matchTrades(ordered, charges);
    std::unordered_map<long, SaleResult *> results;
    for (SaleResult &sale : book.sales)
        results[sale.sale.id] = &sale;

    std::vector<TradeLine> lines;
    lines.reserve(ordered.size());
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        TradeLine line{ordered[i], charges[i], std::nullopt};
        if (ordered[i].side == TradeSide::Sell)
            if (const auto found = results.find(ordered[i].id); found != results.end())
                line.result = std::move(*found->second);
        lines.push_back(std::move(line));
    }
    return lines;
}

void keepStoredResults(std::vector<TradeLine> &lines, const std::map<long, SaleResult> &stored)
{
    for (TradeLine &line : lines) {
        const auto found = stored.find(line.trade.id);
        if (!line.result || found == stored.end())
            continue;
        SaleResult &r = *line.result;
        r.saleValue = found->second.saleValue;
        r.costOfLots = found->second.costOfLots;
        r.buyCharges = found->second.buyCharges;
        r.sellCharges = found->second.sellCharges;
        r.profit = found->second.profit;
        r.unmatched = found->second.unmatched;
    }
}

std::vector<TradeLine> filterLines(const std::vector<TradeLine> &lines, std::string_view symbol,
                                   int year)
{
    std::vector<TradeLine> out;
    for (const TradeLine &line : lines)
        if ((symbol.empty() || sameIgnoringCase(line.trade.symbol, symbol)) &&
            (year == 0 || yearOf(line.trade.date) == year))
            out.push_back(line);
    return out;
}

std::vector<int> tradeYears(const std::vector<TradeLine> &lines)
{
    std::vector<int> years;
    for (const TradeLine &line : lines)
        if (const int year = yearOf(line.trade.date); year != 0)
            years.push_back(year);
    std::ranges::sort(years, std::greater<>());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    return years;
}
