#pragma once

#include "core/gains/financialyear.h"
#include "core/gains/gainrow.h"
#include "core/gains/gainstax.h"
#include "core/gains/grandfathering.h"
#include "core/gains/lotsale.h"

#include <array>
#include <chrono>
#include <span>
#include <string>
#include <vector>

// Realised results by date of transfer in one of the year's five advance-tax windows.
struct AdvanceTaxWindow
{
    std::chrono::year_month_day from;
    std::chrono::year_month_day to;
    double shortTerm = 0;
    double longTerm = 0;
    double intraday = 0;
};

// Up to 15 June, to 15 September, to 15 December, to 15 March, to 31 March.
std::array<AdvanceTaxWindow, 5> advanceTaxWindows(FinancialYear year);

// The gains report of one financial year: every sale of the year, delivery sales as capital
// gains and intraday round trips apart as speculative income. Rows that need a 31 January
// 2018 value or a buy date are listed but left out of every total.
struct GainsReport
{
    FinancialYear year;
    std::vector<GainRow> rows;
    std::vector<IntradayRow> intraday;
    double intradayTurnover = 0;
    double intradayResult = 0;
    GainsTax tax;
    std::array<AdvanceTaxWindow, 5> windows;
    int leftOut = 0;
};

// A row of numbers for one delivery sale; gain and costForGain stay 0 for a row left out.
GainRow gainRow(const LotSale &sale, const Jan2018Values &values);
GainsReport gainsReport(std::span<const LotSale> sales, FinancialYear year,
                        const Jan2018Values &values);
// The companies whose 31 January 2018 value the report still lacks, each once, in order.
std::vector<std::string> symbolsNeedingJan2018Value(const GainsReport &report);
