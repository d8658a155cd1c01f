#pragma once

#include "core/trades/chargeschedule.h"

#include <string>
#include <vector>

// One lot consumed by a sale: what the capital gains arithmetic needs, with no need to look
// at the trades again. Cost includes the buy's charges for these shares; the sale value is
// after the sale's charges for them. An empty buy date is "not known".
struct LotMatch
{
    std::string symbol;
    std::string buyDate;
    long quantity = 0;
    double cost = 0;
    double saleValue = 0;
    TradeKind kind = TradeKind::Delivery;
    long buyTradeId = 0;
};

// The realised result of one sale.
struct SaleResult
{
    Trade sale;
    double saleValue = 0;   // quantity x price
    double costOfLots = 0;  // the consumed shares at their buy prices
    double buyCharges = 0;  // the consumed shares' part of their buys' charges
    double sellCharges = 0; // the sale's own charges
    double profit = 0;      // after both sides' charges
    long unmatched = 0;     // shares sold beyond what was held: no result for them
    std::vector<LotMatch> lots;
};

// A buy not yet consumed by sales, whole or in part.
struct OpenLot
{
    Trade buy;
    long remaining = 0;
    double charges = 0; // the remaining shares' part of the buy's charges
};

struct TradeBook
{
    std::vector<OpenLot> open; // in the order the buys happened
    std::vector<SaleResult> sales;
};

// Matches sales to the oldest open buys of the same symbol and kind, first in first out.
// charges holds each trade's charges at the same index (empty: no charges).
TradeBook matchTrades(const std::vector<Trade> &trades, const std::vector<TradeCharges> &charges);
