#include "platform/store/pricedtrades.h"

#include "platform/store/companydatabase.h"

StoreResult<std::vector<TradeLine>> pricedTradeLines(CompanyDatabase &database)
{
    auto trades = database.trades().loadAll();
    if (!trades)
        return StoreError{trades.error()};
    auto brokers = database.brokers().loadAll();
    if (!brokers)
        return StoreError{brokers.error()};
    auto schedules = database.brokerSchedules().loadAll();
    if (!schedules)
        return StoreError{schedules.error()};
    TradePricing pricing;
    pricing.brokers = std::move(brokers).value();
    pricing.schedules = std::move(schedules).value();
    auto stored = database.saleResults().loadAll();
    if (!stored)
        return StoreError{stored.error()};
    std::vector<TradeLine> lines = tradeLines(trades.value(), pricing);
    keepStoredResults(lines, stored.value());
    return lines;
}
