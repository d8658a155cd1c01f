#pragma once

#include "core/portfolio/brokerrates.h"

#include <string_view>
#include <vector>

// What one side of a holding costs: buying at the average cost or selling at the market price.
struct SideCharges
{
    double brokerage = 0;
    double serviceTax = 0;
    double transactionTax = 0;
    double others = 0;
    double total = 0; // transaction tax + others + service tax + brokerage, in that order
};

// The money figures of one holding row. Percentages and the results stay 0 without a quote.
struct RowValuation
{
    SideCharges buy;
    SideCharges sell;
    double costValue = 0;   // quantity x average cost
    double marketValue = 0; // quantity x market price
    double costPlusCharges = 0;
    double youGet = 0;
    double netProfitLoss = 0;
    double netProfitLossPercent = 0;
};

// The rates a row is priced with: its broker's, or all 0 for a broker id that is not in the
// table, together with whether the broker charges a minimum brokerage.
struct RowPricing
{
    TradeRates rates;
    bool minimumBrokerage = false;
};

bool chargesMinimumBrokerage(std::string_view brokerName);
RowPricing pricingOf(const std::vector<BrokerEntry> &brokers, long brokerId, TradeKind kind);

// The charges of trading quantity shares at price on one side; the operations and their
// roundings in exactly this order, so that every paisa comes out as the broker's note has it.
SideCharges sideCharges(double price, double quantity, const SideRates &rates,
                        bool minimumBrokerage);
RowValuation valueRow(double quantity, double averageCost, double marketPrice,
                      const RowPricing &pricing);
// The same figures from both sides' charges, however they were priced.
RowValuation valueRowWith(double quantity, double averageCost, double marketPrice,
                          const SideCharges &buy, const SideCharges &sell);
