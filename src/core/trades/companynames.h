#pragma once

#include "core/store/stores.h"
#include "core/trades/tradebookreader.h"

#include <vector>

// Gives each row the company name the reference list has for its exchange and symbol; a
// symbol the list lacks keeps no name.
void nameCompanies(CompanyListStore &companies, std::vector<TradebookRow> &rows);
