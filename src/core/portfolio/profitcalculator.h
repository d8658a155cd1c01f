#pragma once

#include "core/portfolio/brokerrates.h"

#include <string>

// The "PROFIT Calculator"'s two answers for one broker's rates of one trade kind, as display
// texts. It charges no minimum brokerage: that belongs to the portfolio's valuation alone.
class ProfitCalculator
{
public:
    static constexpr long MaximumShares = 100000000;
    static constexpr double MaximumPrice = 10000;
    static constexpr double MaximumGain = 1000000000;
    static constexpr const char *NoBrokerMessage =
        "Not a single Broker has been configured. Please configure atleast one Broker\nthen Use "
        "PROFIT CALCULATOR";

    explicit ProfitCalculator(const TradeRates &rates) : m_rates(rates) {}

    // The price per share a sale must fetch to leave gain after both sides' charges, solved
    // in closed form; "0.00" when the sell charges would take everything (or no shares).
    std::string sellingPriceFor(long shares, double averageCost, double gain) const;
    // The net profit or loss of selling the shares at sellingPrice.
    std::string profitLossAt(long shares, double averageCost, double sellingPrice) const;

private:
    double buyCharges(long shares, double averageCost) const;

    TradeRates m_rates;
};
