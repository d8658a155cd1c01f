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

// A trade's scheduled charges in the terms the lists show: brokerage, its tax, the
// transaction tax and everything else.
SideCharges sideOf(const TradeCharges &c)
{
    return {c.brokerage, c.gst, c.stt, c.exchangeCharge + c.sebiFee + c.stampDuty + c.dpCharge,
            c.total};
}

void add(SideCharges &sum, const SideCharges &c)
{
    sum.brokerage += c.brokerage;
    sum.serviceTax += c.serviceTax;
    sum.transactionTax += c.transactionTax;
    sum.others += c.others;
    sum.total += c.total;
}

Trade tradeOf(const HoldingRow &row, TradeKind kind, TradeSide side, long quantity, double price,
              const std::string &date)
{
    Trade t;
    t.date = date;
    t.exchange = row.exchange;
    t.symbol = row.symbol;
    t.side = side;
    t.quantity = quantity;
    t.price = price;
    t.kind = kind;
    t.brokerId = row.brokerId;
    return t;
}

// Priced as the trades are: the lots of one order share its brokerage, and a delivery sale
// pays the DP charge.
RowValuation scheduledValuation(const HoldingRow &row, const std::vector<const ProfileLot *> &lots,
                                TradeKind kind, const TradePricing &pricing,
                                const std::string &today)
{
    std::vector<Trade> bought;
    for (const ProfileLot *lot : lots) {
        bought.push_back(
            tradeOf(row, kind, TradeSide::Buy, lot->quantity, lot->price, lot->buyDate));
        bought.back().orderId = lot->orderId;
    }
    SideCharges buy;
    for (const TradeCharges &c : priceTrades(bought, pricing))
        add(buy, sideOf(c));
    const Trade sold = tradeOf(row, kind, TradeSide::Sell, row.quantity, row.marketPrice, today);
    return valueRowWith(double(row.quantity), row.averageCost, row.marketPrice, buy,
                        sideOf(priceTrades({sold}, pricing).front()));
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
    TradePricing pricing;
    pricing.brokers = brokers;
    return buildHoldingList(lots, kind, pricing, {});
}

HoldingList buildHoldingList(const std::vector<HeldLot> &lots, TradeKind kind,
                             const TradePricing &pricing, const std::string &today)
{
    HoldingList list;
    std::vector<std::vector<const ProfileLot *>> lotsOfRow; // at the rows' indices
    for (const HeldLot &held : lots) {
        const auto same = [&](const HoldingRow &row) {
            return kind == TradeKind::Delivery
                       ? row.symbol == held.lot.symbol
                       : sameSymbolIgnoringCase(row.symbol, held.lot.symbol);
        };
        const auto row = std::ranges::find_if(list.rows, same);
        if (row == list.rows.end()) {
            list.rows.push_back(firstRow(held));
            lotsOfRow.push_back({&held.lot});
        } else {
            merge(*row, held.lot);
            lotsOfRow[std::size_t(row - list.rows.begin())].push_back(&held.lot);
        }
    }
    HoldingTotals &totals = list.totals;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        HoldingRow &row = list.rows[i];
        const auto schedule = pricing.schedules.find(row.brokerId);
        const RowValuation v =
            schedule == pricing.schedules.end()
                ? valueRow(double(row.quantity), row.averageCost, row.marketPrice,
                           pricingOf(pricing.brokers, row.brokerId, kind))
                : scheduledValuation(row, lotsOfRow[i], kind, pricing, today);
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
