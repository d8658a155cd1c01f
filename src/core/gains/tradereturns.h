#pragma once

#include "core/gains/holdingreturns.h"
#include "core/portfolio/holdingrow.h"
#include "core/trades/tradeledger.h"

#include <chrono>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

using LatestPrices = std::map<std::string, double, std::less<>>;

// Each company's holding of one kind as the returns take it, from the priced and matched trade
// book: its consumed lots, its buys still held (with their part of the buy's charges) and its
// latest price when one is known (a price that is not positive is none). Symbols in order.
std::vector<HoldingHistory> holdingHistories(const std::vector<TradeLine> &lines, TradeKind kind,
                                             const LatestPrices &prices);

// Gives each row the rate of its company's history of the list's kind.
void setRowReturns(std::vector<HoldingRow> &rows, std::span<const HoldingHistory> histories,
                   std::chrono::year_month_day today);

// The latest price of every row that has a quote.
LatestPrices latestPrices(const std::vector<HoldingRow> &rows);

// "Realised: 1,234.50   Unrealised: -200.00   XIRR: 12.34%", N/A for what is not known.
std::string portfolioReturnsText(const HoldingReturns &returns);
