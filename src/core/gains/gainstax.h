#pragma once

#include "core/gains/financialyear.h"
#include "core/gains/gainrow.h"
#include "core/gains/taxrates.h"

#include <span>
#include <vector>

// One rate period of the year: its net gains, and what stays taxable after losses and the
// exemption have been set against them.
struct PeriodGains
{
    GainRates rates;
    double shortTerm = 0; // net of losses, as sold in this period
    double longTerm = 0;
    double taxableShortTerm = 0;
    double taxableLongTerm = 0;
    double shortTermTax = 0;
    double longTermTax = 0;
};

// The year's capital gains tax, before surcharge and cess.
struct GainsTax
{
    std::vector<PeriodGains> periods; // the rate periods the year touches, in date order
    double exemption = 0;             // of the year
    double exemptionUsed = 0;
    double shortTermLossCarried = 0; // losses the year's gains could not absorb
    double longTermLossCarried = 0;
    double tax = 0;
};

// Set-off goes as the law orders it, losses first and the exemption on what long-term gains
// remain; where the law leaves the choice of which gains (a year spanning the rate change),
// each goes against the gains taxed at the highest rate first, which leaves the least tax:
// long-term losses and the exemption against long-term gains from 23 July 2024 (12.5%)
// before those sold earlier (10%), short-term losses against any gains, highest rate first.
// Only counted rows of the year are taken.
GainsTax gainsTax(std::span<const GainRow> rows, FinancialYear year);
