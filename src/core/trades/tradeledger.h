#pragma once

#include "core/trades/tradematcher.h"
#include "core/trades/tradepricing.h"

#include <map>
#include <optional>
#include <vector>

// One trade as the Trades view lists it: its charges and, for a sale, its realised result.
struct TradeLine
{
    Trade trade;
    TradeCharges charges;
    std::optional<SaleResult> result;
};

// Every trade in the order they happened, priced and matched.
std::vector<TradeLine> tradeLines(const std::vector<Trade> &trades, const TradePricing &pricing);

// The results stored with the sales (by trade id) stand in place of the figured ones; their
// lots stay as matched. A sale without a stored result keeps the figured one.
void keepStoredResults(std::vector<TradeLine> &lines, const std::map<long, SaleResult> &stored);

// The lines of one symbol (empty: all; ignoring case) and one year (0: all; an unknown date
// belongs to no year).
std::vector<TradeLine> filterLines(const std::vector<TradeLine> &lines, std::string_view symbol,
                                   int year);

// The years that the trades' dates name, newest first.
std::vector<int> tradeYears(const std::vector<TradeLine> &lines);
