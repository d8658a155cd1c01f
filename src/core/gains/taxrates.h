#pragma once

#include "core/gains/financialyear.h"

#include <chrono>
#include <span>

// The rates on gains from listed shares sold on an exchange with transaction tax paid, in
// percent, by the date of transfer; surcharge and cess come on top and depend on the person.
struct GainRates
{
    std::chrono::year_month_day from; // first day of transfer these rates apply to
    double shortTerm = 0;
    double longTerm = 0;
};

// The day the Finance (No. 2) Act 2024 changed the rates: 15% and 10% before, 20% and 12.5%
// from it on.
inline constexpr std::chrono::year_month_day RateChangeDay{std::chrono::year{2024} /
                                                           std::chrono::July / 23};

// Every rate period in date order; the first one reaches back without limit.
std::span<const GainRates> ratePeriods();
const GainRates &ratesOn(std::chrono::year_month_day transfer);

// The long-term gains of a year that go free of tax: Rs 1,00,000 up to 2023-24, Rs 1,25,000
// from 2024-25 (for the whole of 2024-25, both sides of the rate change), nothing before
// 2018-19, when long-term gains on these shares were exempt altogether.
double longTermExemption(FinancialYear year);
