#pragma once

#include "core/gains/financialyear.h"
#include "core/gains/lotsale.h"
#include "core/trades/tradeledger.h"

#include <vector>

enum class TransactionTax { Left, Kept };

// The lots every sale of the trade book consumed, one record per lot, as the gains arithmetic
// takes them. The trade pricing counts the transaction tax among the charges; for the gains it
// is left out of both cost and sale value, since it is not deductible, while returns keep it as
// the money it is. A sale of no known date belongs to no year and gives no record.
std::vector<LotSale> lotSales(const std::vector<TradeLine> &lines,
                              TransactionTax tax = TransactionTax::Left);

// The financial years the sales fall in and the current one, newest first, each once: what
// the gains report can be asked for.
std::vector<FinancialYear> salesYears(const std::vector<LotSale> &sales, FinancialYear current);
