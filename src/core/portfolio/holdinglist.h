#pragma once

#include "core/portfolio/holdingrow.h"
#include "core/trades/tradepricing.h"

#include <string>

#include <vector>

// Lots to rows, one per stock in the order the stocks first appear, each valued with the
// charges of its first lot's broker, and the list's totals. Delivery lots merge by exact
// symbol, intraday lots by symbol whatever its letter case.
HoldingList buildHoldingList(const std::vector<HeldLot> &lots, TradeKind kind,
                             const std::vector<BrokerEntry> &brokers);
// As above, but a row whose broker is priced by a dated charge schedule is valued by it: each
// lot's shares bought by the schedule of the lot's date, the row's shares sold by today's
// ("YYYY-MM-DD"), with one day's DP charge for a delivery row.
HoldingList buildHoldingList(const std::vector<HeldLot> &lots, TradeKind kind,
                             const TradePricing &pricing, const std::string &today);
