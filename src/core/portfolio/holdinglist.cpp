#include "core/portfolio/holdinglist.h"

#include "core/portfolio/charges.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace {
bool sameSymbolIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
           });
}

HoldingRow firstRow(const HeldLot &held)
{
    const ProfileLot &lot = held.lot;
    HoldingRow row{lot.companyName, lot.exchange, lot.symbol, lot.brokerId, lot.quantity};
    row.averageCost = lot.price;
    row.marketPrice = held.marketPrice;
    row.origin = held.origin;
    const double previousClose = held.marketPrice - held.change;
    row.changePercent = previousClose != 0 ? held.change * 100 / previousClose : 0;
    if (!std::isfinite(row.changePercent))
        row.changePercent = 0; // a divisor next to 0 is no day's change anyone could show
    return row;
}

void merge(HoldingRow &row, const ProfileLot &lot)
{
    const long n = row.quantity + lot.quantity;
    row.averageCost =
        n != 0 ? (double(lot.quantity) * lot.price + double(row.quantity) * row.averageCost) / n
               : 0;
    row.quantity = n;
}
} // namespace

HoldingList buildHoldingList(const std::vector<HeldLot> &lots, TradeKind kind,
                             const std::vector<BrokerEntry> &brokers)
{
    HoldingList list;
    for (const HeldLot &held : lots) {
        const auto same = [&](const HoldingRow &row) {
            return kind == TradeKind::Delivery
                       ? row.symbol == held.lot.symbol
                       : sameSymbolIgnoringCase(row.symbol, held.lot.symbol);
        };
        const auto row = std::ranges::find_if(list.rows, same);
        if (row == list.rows.end())
            list.rows.push_back(firstRow(held));
        else
            merge(*row, held.lot);
    }
    HoldingTotals &totals = list.totals;
    for (HoldingRow &row : list.rows) {
        const RowValuation v = valueRow(double(row.quantity), row.averageCost, row.marketPrice,
                                        pricingOf(brokers, row.brokerId, kind));
        row.costPlusCharges = v.costPlusCharges;
        row.youGet = v.youGet;
        row.netProfitLoss = v.netProfitLoss;
        row.netProfitLossPercent = v.netProfitLossPercent;
        totals.valueAtCost += v.costValue + v.buy.total;
        if (row.marketPrice != 0)
            totals.valueAtMarket += v.marketValue - (v.buy.total + v.sell.total);
        totals.unrealized += v.netProfitLoss;
    }
    return list;
}
