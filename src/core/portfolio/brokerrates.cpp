#include "core/portfolio/brokerrates.h"

TradeRates ratesOf(const BrokerEntry &broker, TradeKind kind)
{
    const std::size_t first =
        kind == TradeKind::Delivery ? DeliveryBuyBrokerage : IntradayBuyBrokerage;
    const auto side = [&](std::size_t at) {
        return SideRates{broker.rates[at], broker.rates[at + 1], broker.rates[at + 2],
                         broker.rates[at + 3]};
    };
    return TradeRates{side(first), side(first + 4)};
}

BrokerEntry newBroker()
{
    BrokerEntry broker;
    // Intraday is not symmetric: brokerage and its tax are charged on buying, the
    // transaction tax on selling.
    broker.rates = {0.75, 12.36, 0.125, 0, 0.75, 12.36, 0.125, 0,
                    0.75, 12.36, 0,     0, 0,    0,     0.025, 0};
    return broker;
}
