#include "core/trades/tradepricing.h"

#include "core/portfolio/charges.h"

#include <set>
#include <tuple>

namespace {
TradeCharges percentageCharges(const Trade &trade, const std::vector<BrokerEntry> &brokers)
{
    const RowPricing pricing = pricingOf(brokers, trade.brokerId, trade.kind);
    const bool buy = trade.side == TradeSide::Buy;
    const SideCharges side =
        sideCharges(trade.price, double(trade.quantity),
                    buy ? pricing.rates.buy : pricing.rates.sell, pricing.minimumBrokerage);
    TradeCharges c;
    c.brokerage = side.brokerage;
    c.stt = side.transactionTax;
    c.gst = side.serviceTax; // the tax on brokerage of its day
    c.exchangeCharge = side.others;
    c.total = side.total;
    return c;
}
} // namespace

std::vector<TradeCharges> priceTrades(const std::vector<Trade> &trades, const TradePricing &pricing)
{
    std::vector<TradeCharges> charges;
    charges.reserve(trades.size());
    std::set<std::tuple<long, std::string, std::string>> dpCharged; // broker, symbol, date
    for (const Trade &trade : trades) {
        const auto schedule = pricing.schedules.find(trade.brokerId);
        if (schedule == pricing.schedules.end()) {
            charges.push_back(percentageCharges(trade, pricing.brokers));
            continue;
        }
        TradeCharges c =
            scheduledCharges(trade, schedule->second, pricing.calendar.inForceOn(trade.date));
        if (trade.side == TradeSide::Sell && trade.kind == TradeKind::Delivery &&
            dpCharged.emplace(trade.brokerId, trade.symbol, trade.date).second) {
            c.dpCharge = schedule->second.dpCharge;
            c.total += c.dpCharge;
        }
        charges.push_back(c);
    }
    return charges;
}
