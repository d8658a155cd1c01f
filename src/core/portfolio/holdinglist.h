#pragma once

#include "core/portfolio/holdingrow.h"

#include <vector>

// Lots to rows, one per stock in the order the stocks first appear, each valued with the
// charges of its first lot's broker, and the list's totals. Delivery lots merge by exact
// symbol, intraday lots by symbol whatever its letter case.
HoldingList buildHoldingList(const std::vector<HeldLot> &lots, TradeKind kind,
                             const std::vector<BrokerEntry> &brokers);
