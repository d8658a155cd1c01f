#include "core/gains/holdingreturns.h"
#include "core/gains/xirr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using std::chrono::year_month_day;

namespace {
year_month_day date(int y, unsigned m, unsigned d)
{
    return std::chrono::year{y} / std::chrono::month{m} / d;
}

std::optional<double> rate(std::vector<CashFlow> flows)
{
    return xirr(flows);
}

constexpr double Close = 1e-9;
} // namespace

// Rates worked by hand from sum of a / (1 + r)^(days / 365) = 0.
TEST(Xirr, AgreesWithTheDaysOver365Definition)
{
    // 365 days, 1,000 -> 1,100: 10%.
    EXPECT_NEAR(*rate({{date(2023, 1, 1), -1000}, {date(2024, 1, 1), 1100}}), 0.10, Close);
    // 01-Mar-2023 to 29-Feb-2024 is 365 days: 10,000 -> 8,000 is -20%.
    EXPECT_NEAR(*rate({{date(2023, 3, 1), -10000}, {date(2024, 2, 29), 8000}}), -0.20, Close);
    // Two payments a year apart and 2,310 back after two years: with x = 1 + r,
    // 1,000 x^2 + 1,000 x = 2,310, x = (-1 + sqrt(1 + 9.24)) / 2 = 1.1. Listed out of order:
    // the earliest day is the start, whatever comes first.
    EXPECT_NEAR(
        *rate({{date(2023, 1, 1), 2310}, {date(2021, 1, 1), -1000}, {date(2022, 1, 1), -1000}}),
        0.10, Close);
    // 182 days, 1,000 -> 1,050: 1.05^(365/182) - 1 = e^(0.0487902 x 2.0054945) - 1
    // = e^0.0978484 - 1 = 0.1027956.
    EXPECT_NEAR(*rate({{date(2024, 1, 1), -1000}, {date(2024, 7, 1), 1050}}), 0.1027956, 1e-7);
    // Almost all lost: Newton's first step from 10% lands below -100%, the scan finds -99%.
    EXPECT_NEAR(*rate({{date(2023, 1, 1), -1000}, {date(2024, 1, 1), 10}}), -0.99, Close);
}

TEST(Xirr, NoResultWithoutASignChangeOrTime)
{
    EXPECT_FALSE(rate({}));
    EXPECT_FALSE(rate({{date(2023, 1, 1), -1000}, {date(2024, 1, 1), -10}}));
    EXPECT_FALSE(rate({{date(2023, 1, 1), 1000}, {date(2024, 1, 1), 0}}));
    EXPECT_FALSE(rate({{date(2023, 1, 1), -1000}, {date(2023, 1, 1), 1100}}));
    EXPECT_FALSE(rate({{date(2023, 1, 1), -1000}, {date(2024, 1, 1), std::nan("")}}));
}

// INFY: lot A, 10 shares for 1,000 on 01-Jan-2021; lot B, 10 for 1,000 on 01-Jan-2022. On
// 01-Jan-2023 a sale takes lot A for 1,155 and 5 of lot B (cost 500) for 577.50; 5 are held
// at 115.50 (577.50). Flows: -1,000, -1,000 a year later, +2,310 two years on: 10%.
// Realised (1,155 - 1,000) + (577.50 - 500) = 232.50; unrealised 577.50 - 500 = 77.50.
TEST(HoldingReturns, RateAndResultsOfAPartlySoldHolding)
{
    const auto a = date(2021, 1, 1);
    const auto b = date(2022, 1, 1);
    const auto today = date(2023, 1, 1);
    HoldingHistory infy{"INFY",
                        {{"INFY", a, today, 10, 1000, 1155}, {"INFY", b, today, 5, 500, 577.5}},
                        {{b, 5, 500}},
                        115.5};
    const HoldingReturns r = holdingReturns(infy, today);
    EXPECT_NEAR(*r.xirr, 0.10, Close);
    EXPECT_DOUBLE_EQ(r.realised, 232.5);
    EXPECT_DOUBLE_EQ(*r.unrealised, 77.5);
    EXPECT_EQ(xirrText(r), "10.00%");

    // A lot carried over without a date: the results stand, the rate says why it is missing.
    HoldingHistory undated = infy;
    undated.open.push_back({std::nullopt, 1, 100});
    const HoldingReturns u = holdingReturns(undated, today);
    EXPECT_FALSE(u.xirr);
    EXPECT_EQ(xirrText(u), NoXirrWithoutDates);
    EXPECT_DOUBLE_EQ(*u.unrealised, 77.5 + 115.5 - 100);

    // Held without a price (0 is an old missing quote): neither today's value nor a rate.
    HoldingHistory unpriced = infy;
    unpriced.latestPrice = 0.0;
    const HoldingReturns p = holdingReturns(unpriced, today);
    EXPECT_FALSE(p.unrealised);
    EXPECT_FALSE(p.xirr);
    EXPECT_EQ(xirrText(p), "N/A");
}

// X: 1,000 on 01-Jan-2023, worth 1,100 on 01-Jan-2024 (+10%). Y: 10,000 on 01-Jan-2023, sold
// for 8,000 on 01-Jan-2024 (-20%). Together -11,000 and +9,100 a year (365 days) apart:
// 9,100 / 11,000 - 1 = -0.1727273.
TEST(HoldingReturns, PortfolioRateIsOfAllFlowsTogether)
{
    const auto start = date(2023, 1, 1);
    const auto today = date(2024, 1, 1);
    std::vector<HoldingHistory> holdings{
        {"X", {}, {{start, 10, 1000}}, 110.0},
        {"Y", {{"Y", start, today, 100, 10000, 8000}}, {}, std::nullopt},
    };
    const HoldingReturns all = portfolioReturns(holdings, today);
    EXPECT_NEAR(*all.xirr, 9100.0 / 11000 - 1, Close);
    EXPECT_DOUBLE_EQ(all.realised, -2000);
    EXPECT_DOUBLE_EQ(*all.unrealised, 100);

    holdings.push_back({"Z", {}, {{std::nullopt, 1, 10}}, 12.0});
    EXPECT_EQ(portfolioReturns(holdings, today).issue, ReturnIssue::NoDates);
}
