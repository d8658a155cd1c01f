#include "core/gains/taxrates.h"

#include <algorithm>
#include <array>

using namespace std::chrono;

namespace {
// Before April 2018 long-term gains on these shares were exempt; the exemption figure of
// those years is therefore 0 and the long-term rate 0.
constexpr std::array<GainRates, 3> Periods{{
    {year{1900} / January / 1, 15, 0},
    {year{2018} / April / 1, 15, 10},
    {RateChangeDay, 20, 12.5},
}};
} // namespace

std::span<const GainRates> ratePeriods()
{
    return Periods;
}

const GainRates &ratesOn(year_month_day transfer)
{
    const auto after = std::ranges::upper_bound(Periods, transfer, {}, &GainRates::from);
    return after == Periods.begin() ? Periods.front() : *(after - 1);
}

double longTermExemption(FinancialYear year)
{
    if (year.firstYear < 2018)
        return 0;
    return year.firstYear < 2024 ? 100000 : 125000;
}
