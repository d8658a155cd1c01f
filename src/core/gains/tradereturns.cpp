#include "core/gains/tradereturns.h"

#include "core/common/datetext.h"
#include "core/gains/tradelotsales.h"
#include "core/net/displayformat.h"

#include <algorithm>
#include <unordered_map>

std::vector<HoldingHistory> holdingHistories(const std::vector<TradeLine> &lines, TradeKind kind,
                                             const LatestPrices &prices)
{
    std::map<std::string, HoldingHistory> bySymbol;
    const auto historyOf = [&](const std::string &symbol) -> HoldingHistory & {
        HoldingHistory &h = bySymbol[symbol];
        h.symbol = symbol;
        return h;
    };
    for (LotSale &sale : lotSales(lines, TransactionTax::Kept))
        if (sale.kind == kind)
            historyOf(sale.symbol).sold.push_back(std::move(sale));

    std::unordered_map<long, long> consumed; // by buy trade id
    for (const TradeLine &line : lines)
        if (line.result)
            for (const LotMatch &lot : line.result->lots)
                consumed[lot.buyTradeId] += lot.quantity;
    for (const TradeLine &line : lines) {
        const Trade &buy = line.trade;
        if (buy.side != TradeSide::Buy || buy.kind != kind || buy.quantity <= 0)
            continue;
        const long held = buy.quantity - consumed[buy.id];
        if (held <= 0)
            continue;
        const double charges = line.charges.total * double(held) / double(buy.quantity);
        historyOf(buy.symbol)
            .open.push_back({isoDay(buy.date), held, double(held) * buy.price + charges});
    }

    std::vector<HoldingHistory> histories;
    for (auto &[symbol, history] : bySymbol) {
        if (const auto price = prices.find(symbol); price != prices.end())
            history.latestPrice = price->second;
        histories.push_back(std::move(history));
    }
    return histories;
}

void setRowReturns(std::vector<HoldingRow> &rows, std::span<const HoldingHistory> histories,
                   std::chrono::year_month_day today)
{
    for (HoldingRow &row : rows) {
        const auto found = std::ranges::find(histories, row.symbol, &HoldingHistory::symbol);
        if (found == histories.end())
            continue;
        const HoldingReturns returns = holdingReturns(*found, today);
        row.xirr = returns.xirr;
        row.xirrNeedsDates = returns.issue == ReturnIssue::NoDates;
    }
}

LatestPrices latestPrices(const std::vector<HoldingRow> &rows)
{
    LatestPrices prices;
    for (const HoldingRow &row : rows)
        if (row.marketPrice > 0)
            prices[row.symbol] = row.marketPrice;
    return prices;
}

std::string portfolioReturnsText(const HoldingReturns &returns)
{
    return "Realised: " + formatDisplay(returns.realised) + "   Unrealised: " +
           (returns.unrealised ? formatDisplay(*returns.unrealised) : std::string("N/A")) +
           "   XIRR: " + xirrText(returns);
}
