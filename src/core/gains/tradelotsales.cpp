#include "core/gains/tradelotsales.h"

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

bool digits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}
} // namespace

std::optional<year_month_day> tradeDay(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(text.substr(0, 4)) ||
        !digits(text.substr(5, 2)) || !digits(text.substr(8, 2)))
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (char c : text.substr(at, n))
            value = value * 10 + (c - '0');
        return value;
    };
    const year_month_day day{year{number(0, 4)}, month{unsigned(number(5, 2))},
                             std::chrono::day{unsigned(number(8, 2))}};
    if (!day.ok())
        return std::nullopt;
    return day;
}

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
        const auto sold = tradeDay(line.trade.date);
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
            sale.bought = tradeDay(lot.buyDate);
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
