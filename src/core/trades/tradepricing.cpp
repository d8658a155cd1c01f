#include "core/trades/tradepricing.h"

#include "core/portfolio/charges.h"
#include "core/portfolio/rounding.h"

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

// An order is of one symbol, so that figuring one symbol again never touches another.
using OrderKey = std::tuple<long, std::string, std::string, std::string, std::string, int, int>;

void shareOrderBrokerage(const std::vector<Trade> &trades, const TradePricing &pricing,
                         std::vector<TradeCharges> &charges)
{
    std::map<OrderKey, std::vector<std::size_t>> orders;
    for (std::size_t i = 0; i < trades.size(); ++i) {
        const Trade &t = trades[i];
        if (!t.orderId.empty() && pricing.schedules.contains(t.brokerId))
            orders[{t.brokerId, t.exchange, t.symbol, t.orderId, t.date, int(t.side), int(t.kind)}]
                .push_back(i);
    }
    for (const auto &[key, rows] : orders) {
        if (rows.size() < 2)
            continue;
        const Trade &first = trades[rows.front()];
        const BrokerSchedule &schedule = pricing.schedules.at(first.brokerId);
        const StatutoryRates &rates = pricing.calendar.inForceOn(first.date);
        double value = 0;
        for (std::size_t i : rows)
            value += double(trades[i].quantity) * trades[i].price;
        const double whole = orderBrokerage(
            value, first.kind == TradeKind::Delivery ? schedule.delivery : schedule.intraday);
        // Each fill takes its part by value; the last takes what rounding left.
        double left = whole;
        for (std::size_t n = 0; n < rows.size(); ++n) {
            const Trade &t = trades[rows[n]];
            const double part =
                n + 1 == rows.size()
                    ? roundHalfAway(left, 2)
                    : roundHalfAway(whole * double(t.quantity) * t.price / value, 2);
            left -= part;
            charges[rows[n]] = withBrokerage(charges[rows[n]], part, rates);
        }
    }
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
    shareOrderBrokerage(trades, pricing, charges);
    return charges;
}
