#include "core/portfolio/charges.h"

#include "core/portfolio/rounding.h"

#include <algorithm>

bool chargesMinimumBrokerage(std::string_view brokerName)
{
    return brokerName == MinimumBrokerageBroker;
}

RowPricing pricingOf(const std::vector<BrokerEntry> &brokers, long brokerId, TradeKind kind)
{
    const auto broker = std::ranges::find(brokers, brokerId, &BrokerEntry::id);
    if (broker == brokers.end())
        return {};
    return {ratesOf(*broker, kind), chargesMinimumBrokerage(broker->name)};
}

SideCharges sideCharges(double price, double quantity, const SideRates &rates,
                        bool minimumBrokerage)
{
    SideCharges c;
    c.brokerage = roundHalfAway(price * rates.brokerage * 0.01, 4) * quantity;
    c.serviceTax = roundHalfAway(price * rates.serviceTax * rates.brokerage * 0.0001, 4) * quantity;
    // The minimum is per trade, not per share: the tax is the tax on the minimum.
    if (minimumBrokerage && rates.brokerage != 0 && c.brokerage < MinimumBrokerage) {
        c.brokerage = MinimumBrokerage;
        c.serviceTax = rates.serviceTax * 0.25;
    }
    const double value = quantity * price;
    c.transactionTax = roundHalfAway(value * rates.transactionTax * 0.01, 2);
    c.others = value * rates.others * 0.01;
    c.total = c.transactionTax + c.others + c.serviceTax + c.brokerage;
    return c;
}

RowValuation valueRow(double quantity, double averageCost, double marketPrice,
                      const RowPricing &pricing)
{
    return valueRowWith(
        quantity, averageCost, marketPrice,
        sideCharges(averageCost, quantity, pricing.rates.buy, pricing.minimumBrokerage),
        sideCharges(marketPrice, quantity, pricing.rates.sell, pricing.minimumBrokerage));
}

RowValuation valueRowWith(double quantity, double averageCost, double marketPrice,
                          const SideCharges &buy, const SideCharges &sell)
{
    RowValuation v;
    v.buy = buy;
    v.sell = sell;
    v.costValue = quantity * averageCost;
    v.marketValue = quantity * marketPrice;
    v.costPlusCharges = v.costValue + v.buy.total;
    if (marketPrice == 0)
        return v; // no quote yet: nothing to sell at
    const double charges = v.buy.total + v.sell.total;
    v.netProfitLoss = (marketPrice - averageCost) * quantity - charges;
    // A lot of price 0 from the table would divide by 0; the list shows 0 for it.
    v.netProfitLossPercent = v.costValue != 0 ? v.netProfitLoss * 100 / v.costValue : 0;
    v.youGet = v.marketValue - charges;
    return v;
}
