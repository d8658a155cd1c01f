#pragma once

#include "core/portfolio/brokerrates.h"

#include <chrono>
#include <optional>
#include <string>

// One sale matched against one purchase lot, first in first out: a sale that consumes three
// lots gives three records. Money is in rupees for the whole quantity. Cost and sale value
// carry the charges of buying and selling (brokerage, exchange charges, stamp duty, GST) but
// not the transaction tax, which is not deductible.
struct LotSale
{
    std::string symbol;
    // Unknown for lots carried over from versions that kept no purchase dates.
    std::optional<std::chrono::year_month_day> bought;
    std::chrono::year_month_day sold;
    long quantity = 0;
    double cost = 0;        // this lot's share of the purchase, with its buying charges
    double saleValue = 0;   // this lot's share of the sale, less its selling charges
    double saleCharges = 0; // the selling charges taken off saleValue above
    TradeKind kind = TradeKind::Delivery;
    double turnover = 0; // intraday only: the turnover the speculative result counts
};
