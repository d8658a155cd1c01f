#include "core/gains/tradelotsales.h"

#include "core/common/datetext.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

using namespace std::chrono;

namespace {
double shareOf(double amount, long part, long whole)
{
    return whole != 0 ? amount * double(part) / double(whole) : 0;
}
} // namespace

std::vector<LotSale> lotSales(const std::vector<TradeLine> &lines, TransactionTax tax)
{
    const double taxOut = tax == TransactionTax::Left ? 1.0 : 0.0;
    std::unordered_map<long, const TradeLine *> buys;
    for (const TradeLine &line : lines)
        if (line.trade.side == TradeSide::Buy)
            buys[line.trade.id] = &line;

    std::vector<LotSale> sales;
    for (const TradeLine &line : lines) {
        if (!line.result)
            continue;
        const auto sold = isoDay(line.trade.date);
        if (!sold)
            continue;
        const long saleQuantity = line.trade.quantity;
        for (const LotMatch &lot : line.result->lots) {
            double buyTax = 0;
            if (const auto buy = buys.find(lot.buyTradeId); buy != buys.end())
                buyTax = taxOut * shareOf(buy->second->charges.stt, lot.quantity,
                                          buy->second->trade.quantity);
            const double saleTax = taxOut * shareOf(line.charges.stt, lot.quantity, saleQuantity);
            LotSale sale;
            sale.symbol = lot.symbol;
            sale.bought = isoDay(lot.buyDate);
            sale.sold = *sold;
            sale.quantity = lot.quantity;
            sale.cost = lot.cost - buyTax;
            sale.saleValue = lot.saleValue + saleTax;
            sale.saleCharges =
                shareOf(line.charges.total - taxOut * line.charges.stt, lot.quantity, saleQuantity);
            sale.kind = lot.kind;
            if (sale.kind == TradeKind::Intraday)
                sale.turnover = std::abs(sale.saleValue - sale.cost);
            sales.push_back(std::move(sale));
        }
    }
    return sales;
}

std::vector<FinancialYear> salesYears(const std::vector<LotSale> &sales, FinancialYear current)
{
    std::vector<FinancialYear> years{current};
    for (const LotSale &sale : sales)
        years.push_back(financialYearOf(sale.sold));
    std::ranges::sort(years, std::greater<>(), &FinancialYear::firstYear);
    years.erase(std::unique(years.begin(), years.end()), years.end());
    return years;
}
