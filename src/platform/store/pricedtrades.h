#pragma once

#include "core/store/storeresult.h"
#include "core/trades/tradeledger.h"

#include <vector>

class CompanyDatabase;

// Every stored trade priced by its broker (by schedule, else by its percentages) and matched,
// as the gains report and the returns take them.
StoreResult<std::vector<TradeLine>> pricedTradeLines(CompanyDatabase &database);
