#include "core/gains/financialyear.h"
#include "core/gains/gainsexport.h"
#include "core/gains/gainsreport.h"
#include "core/gains/holdingperiod.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::chrono;

namespace {
year_month_day date(int y, unsigned m, unsigned d)
{
    return year{y} / month{m} / d;
}

LotSale delivery(const std::string &symbol, std::optional<year_month_day> bought,
                 year_month_day sold, long quantity, double cost, double saleValue,
                 double saleCharges = 0)
{
    return {symbol, bought, sold, quantity, cost, saleValue, saleCharges};
}

LotSale intraday(const std::string &symbol, year_month_day on, long quantity, double cost,
                 double saleValue, double turnover)
{
    return {symbol, on, on, quantity, cost, saleValue, 0, TradeKind::Intraday, turnover};
}

GainsReport reportOf(const std::vector<LotSale> &sales, const char *year,
                     const Jan2018Values &values = {})
{
    return gainsReport(sales, *parseFinancialYear(year), values);
}
} // namespace

TEST(FinancialYear, ExactNamesOnlyAndTheirDays)
{
    const auto fy = parseFinancialYear("2025-26");
    ASSERT_TRUE(fy);
    EXPECT_EQ(fy->first(), date(2025, 4, 1));
    EXPECT_EQ(fy->last(), date(2026, 3, 31));
    EXPECT_EQ(fy->name(), "2025-26");
    EXPECT_EQ(parseFinancialYear("1999-00")->name(), "1999-00");
    for (const char *bad : {"2025-27", "2025-2026", " 2025-26", "2025-26 ", "2025/26", "25-26", "",
                            "2025-2", "202a-26", "+025-26", "0000-01"})
        EXPECT_FALSE(parseFinancialYear(bad)) << bad;
    EXPECT_EQ(financialYearOf(date(2025, 3, 31)).name(), "2024-25");
    EXPECT_EQ(financialYearOf(date(2025, 4, 1)).name(), "2025-26");
}

TEST(HoldingPeriod, TwelveMonthsCountedToTheDayNotInDays)
{
    EXPECT_FALSE(isLongTerm(date(2024, 6, 10), date(2025, 6, 10)));
    EXPECT_TRUE(isLongTerm(date(2024, 6, 10), date(2025, 6, 11)));
    // 366 days over a 29 February, yet exactly 12 months: still short-term.
    EXPECT_FALSE(isLongTerm(date(2023, 3, 1), date(2024, 3, 1)));
    // 28 Feb 2023 + 12 months is 28 Feb 2024; the 29th is one day more.
    EXPECT_TRUE(isLongTerm(date(2023, 2, 28), date(2024, 2, 29)));
    // A 29 February buy reaches 12 months on 28 February.
    EXPECT_FALSE(isLongTerm(date(2024, 2, 29), date(2025, 2, 28)));
    EXPECT_TRUE(isLongTerm(date(2024, 2, 29), date(2025, 3, 1)));
}

// 2025-26, one rate period (20% and 12.5%, exemption 1,25,000). INFY lot A, 200 shares bought
// 10-Jun-2024 for 3,00,000 (1,500 each with charges); lot B, 100 bought 02-Sep-2024 for
// 1,60,000.
//   10-Jun-2025 sells 100: lot A, cost 1,50,000, for 1,70,000   ST (12 months exactly) +20,000
//   11-Jun-2025 sells 150 for 2,62,500 (1,750 each), first in first out:
//     rest of lot A, 100, cost 1,50,000, for 1,75,000           LT (one day more)      +25,000
//     50 of lot B, cost 80,000, for 87,500                      ST                      +7,500
//   15-Dec-2025 TCS bought 05-May-2025 for 40,000, sold for 35,000                 ST   -5,000
//   15-Mar-2026 WIPRO bought 02-Jan-2023 for 3,00,000, sold for 4,50,000          LT +1,50,000
// Short-term 22,500 (the loss against the gains); long-term 1,75,000 less the exemption
// leaves 50,000. Tax 22,500 x 20% = 4,500 plus 50,000 x 12.5% = 6,250: 10,750.
// Intraday apart: +1,000 on 16-Jun-2025 (turnover 1,000), -600 on 16-Mar-2026 (turnover 600).
// Windows by day of sale: to 15-Jun ST 27,500 LT 25,000; to 15-Sep intraday 1,000; to 15-Dec
// ST -5,000; to 15-Mar LT 1,50,000; to 31-Mar intraday -600. Sales of 31-Mar-2025 and
// 01-Apr-2026 belong to other years.
TEST(GainsReport, WorkedYearWithSeveralLotsALossAndTheExemption)
{
    const auto a = date(2024, 6, 10);
    const auto b = date(2024, 9, 2);
    const GainsReport r = reportOf(
        {
            delivery("INFY", a, date(2025, 3, 31), 10, 15000, 16000),
            delivery("INFY", a, date(2025, 6, 10), 100, 150000, 170000),
            delivery("INFY", a, date(2025, 6, 11), 100, 150000, 175000),
            delivery("INFY", b, date(2025, 6, 11), 50, 80000, 87500),
            intraday("SBIN", date(2025, 6, 16), 100, 250000, 251000, 1000),
            delivery("TCS", date(2025, 5, 5), date(2025, 12, 15), 10, 40000, 35000),
            delivery("WIPRO", date(2023, 1, 2), date(2026, 3, 15), 1000, 300000, 450000),
            intraday("SBIN", date(2026, 3, 16), 20, 50000, 49400, 600),
            delivery("TCS", date(2025, 5, 5), date(2026, 4, 1), 1, 4000, 4100),
        },
        "2025-26");

    ASSERT_EQ(r.rows.size(), 5u);
    EXPECT_EQ(r.rows[0].term, GainTerm::ShortTerm);
    EXPECT_EQ(r.rows[1].term, GainTerm::LongTerm);
    ASSERT_EQ(r.tax.periods.size(), 1u);
    EXPECT_DOUBLE_EQ(r.tax.periods[0].shortTerm, 22500);
    EXPECT_DOUBLE_EQ(r.tax.periods[0].longTerm, 175000);
    EXPECT_DOUBLE_EQ(r.tax.exemptionUsed, 125000);
    EXPECT_DOUBLE_EQ(r.tax.tax, 10750);

    ASSERT_EQ(r.intraday.size(), 2u);
    EXPECT_DOUBLE_EQ(r.intradayTurnover, 1600);
    EXPECT_DOUBLE_EQ(r.intradayResult, 400);

    const double windows[5][3] = {
        {27500, 25000, 0}, {0, 0, 1000}, {-5000, 0, 0}, {0, 150000, 0}, {0, 0, -600}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(r.windows[i].shortTerm, windows[i][0]) << i;
        EXPECT_DOUBLE_EQ(r.windows[i].longTerm, windows[i][1]) << i;
        EXPECT_DOUBLE_EQ(r.windows[i].intraday, windows[i][2]) << i;
    }
}

// 2024-25 spans 23-Jul-2024: before it 15% and 10%, from it 20% and 12.5%; one exemption of
// 1,25,000 for the whole year.
//   02-May-2024 ST +8,000   22-Jul-2024 LT +60,000   23-Jul-2024 LT +90,000
//   01-Oct-2024 ST +12,000  03-Feb-2025 ST -3,000
// The loss goes against the 20% gains: 12,000 - 3,000 = 9,000. The exemption goes against the
// 12.5% gains first: 90,000 -> 0, then 35,000 of the 10% ones: 60,000 -> 25,000.
// Tax 8,000 x 15% + 9,000 x 20% + 25,000 x 10% = 1,200 + 1,800 + 2,500 = 5,500 (the other
// order would leave 25,000 at 12.5% instead: 6,125).
TEST(GainsReport, YearAcrossTheRateChangeUsesOneExemptionWhereItSavesMost)
{
    const auto old = date(2022, 1, 10);
    const GainsReport r = reportOf(
        {
            delivery("A", date(2024, 1, 15), date(2024, 5, 2), 10, 50000, 58000),
            delivery("B", old, date(2024, 7, 22), 10, 100000, 160000),
            delivery("B", old, date(2024, 7, 23), 10, 200000, 290000),
            delivery("C", date(2024, 8, 1), date(2024, 10, 1), 10, 40000, 52000),
            delivery("D", date(2024, 11, 4), date(2025, 2, 3), 10, 30000, 27000),
        },
        "2024-25");

    ASSERT_EQ(r.tax.periods.size(), 2u);
    const PeriodGains &before = r.tax.periods[0];
    const PeriodGains &from = r.tax.periods[1];
    EXPECT_DOUBLE_EQ(before.shortTerm, 8000);
    EXPECT_DOUBLE_EQ(before.longTerm, 60000);
    EXPECT_DOUBLE_EQ(from.shortTerm, 9000);
    EXPECT_DOUBLE_EQ(from.longTerm, 90000);
    EXPECT_DOUBLE_EQ(r.tax.exemption, 125000);
    EXPECT_DOUBLE_EQ(r.tax.exemptionUsed, 125000);
    EXPECT_DOUBLE_EQ(before.taxableLongTerm, 25000);
    EXPECT_DOUBLE_EQ(r.tax.tax, 5500);
}

// Losses are set off before the exemption, and a long-term loss only against long-term gains.
TEST(GainsReport, LossesAreSetOffAsTheLawOrders)
{
    // ST +10,000; LT -30,000 and +20,000: 10,000 long-term loss carried, the short-term gain
    // taxed in full at 20%: 2,000.
    const GainsReport longLoss = reportOf(
        {
            delivery("A", date(2025, 1, 2), date(2025, 5, 1), 1, 10000, 20000),
            delivery("B", date(2023, 1, 2), date(2025, 8, 1), 1, 50000, 20000),
            delivery("C", date(2023, 1, 2), date(2025, 9, 1), 1, 10000, 30000),
        },
        "2025-26");
    EXPECT_DOUBLE_EQ(longLoss.tax.longTermLossCarried, 10000);
    EXPECT_DOUBLE_EQ(longLoss.tax.exemptionUsed, 0);
    EXPECT_DOUBLE_EQ(longLoss.tax.tax, 2000);

    // ST -40,000 with no short-term gain must go against LT +1,00,000 before the exemption:
    // 60,000 of the exemption used, nothing left to carry forward.
    const GainsReport shortLoss = reportOf(
        {
            delivery("A", date(2025, 1, 2), date(2025, 5, 1), 1, 50000, 10000),
            delivery("C", date(2023, 1, 2), date(2025, 9, 1), 1, 10000, 110000),
        },
        "2025-26");
    EXPECT_DOUBLE_EQ(shortLoss.tax.exemptionUsed, 60000);
    EXPECT_DOUBLE_EQ(shortLoss.tax.shortTermLossCarried, 0);
    EXPECT_DOUBLE_EQ(shortLoss.tax.tax, 0);
}

// 10 shares bought 10-May-2017 for 1,000 with charges, sold 20-May-2025 for 3,000 less 10 of
// charges (2,990). Cost = max(actual, min(31-Jan-2018 value, sale price before charges)).
//   value 250 each (2,500): max(1,000, min(2,500, 3,000)) = 2,500, gain 490
//   value 400 each (4,000): min(4,000, 3,000) = 3,000, gain -10 (the selling charges)
//   value 80 each (800):    max(1,000, 800) = 1,000, gain 1,990
//   sold for 700 less 10 (690), value 250 each: max(1,000, min(2,500, 700)) = 1,000, gain -310
TEST(GainsReport, Jan2018ValueRaisesTheCostWithinTheSalePrice)
{
    const auto bought = date(2017, 5, 10);
    const auto sold = date(2025, 5, 20);
    const auto gainAt = [&](double value, double saleValue) {
        const GainRow row =
            gainRow(delivery("OLD", bought, sold, 10, 1000, saleValue, 10), {{"OLD", value}});
        EXPECT_TRUE(row.counted());
        return row.gain;
    };
    EXPECT_DOUBLE_EQ(gainAt(250, 2990), 490);
    EXPECT_DOUBLE_EQ(gainAt(400, 2990), -10);
    EXPECT_DOUBLE_EQ(gainAt(80, 2990), 1990);
    EXPECT_DOUBLE_EQ(gainAt(250, 690), -310);

    // Without a usable value the row is left out, never guessed; the day of the cut-off and
    // a short-term sale take the actual cost.
    for (double junk : {0.0, -5.0, std::nan("")})
        EXPECT_EQ(gainRow(delivery("OLD", bought, sold, 10, 1000, 2990), {{"OLD", junk}}).issue,
                  GainIssue::NoJan2018Value);
    EXPECT_EQ(gainRow(delivery("OLD", bought, sold, 10, 1000, 2990), {{"NEW", 250}}).issue,
              GainIssue::NoJan2018Value);
    EXPECT_EQ(gainRow(delivery("NEW", date(2018, 1, 31), sold, 1, 100, 300), {}).issue,
              GainIssue::NoJan2018Value);
    EXPECT_DOUBLE_EQ(gainRow(delivery("NEW", date(2018, 2, 1), sold, 1, 100, 300), {}).gain, 200);
    EXPECT_DOUBLE_EQ(
        gainRow(delivery("NEW", date(2018, 1, 15), date(2018, 11, 1), 1, 100, 300), {}).gain, 200);
}

// A lot of unknown date and one missing its value are listed but stay out of every total.
TEST(GainsReport, RowsThatNeedAValueStayOutOfTheTotalsAndTheFile)
{
    const GainsReport r = reportOf(
        {
            delivery("MIG", std::nullopt, date(2024, 7, 22), 5, 500, 900),
            delivery("OLD", date(2017, 5, 10), date(2024, 7, 22), 10, 1000, 2990, 10),
            delivery("NEW", date(2024, 7, 1), date(2024, 7, 23), 2, 200, 250),
        },
        "2024-25");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0].issue, GainIssue::NoBuyDate);
    EXPECT_EQ(r.leftOut, 2);
    EXPECT_EQ(symbolsNeedingJan2018Value(r), std::vector<std::string>{"OLD"});
    EXPECT_DOUBLE_EQ(r.tax.periods[0].shortTerm + r.tax.periods[0].longTerm, 0);
    EXPECT_DOUBLE_EQ(r.windows[1].shortTerm + r.windows[1].longTerm, 50);
    EXPECT_DOUBLE_EQ(r.tax.tax, 10);

    EXPECT_EQ(gainsexport::content(r), R"(Capital Gains for the financial year 2024-25

Symbol,Bought,Sold,Quantity,Cost,Cost for Gain,Sale Value,Gain,Term
MIG,unknown,22-Jul-2024,5,500.00,,900.00,,needs 31-Jan-2018 value
OLD,10-May-2017,22-Jul-2024,10,1000.00,,2990.00,,needs 31-Jan-2018 value
NEW,01-Jul-2024,23-Jul-2024,2,200.00,200.00,250.00,50.00,Short-term

Short-term gains before 23-Jul-2024,0.00
Long-term gains before 23-Jul-2024,0.00
Short-term gains from 23-Jul-2024,50.00
Long-term gains from 23-Jul-2024,0.00
Long-term exemption of the year,125000.00
Long-term exemption used,0.00
Rows left out of the totals (needs 31-Jan-2018 value),2

Tax,Rate,Taxable,Tax
Short-term before 23-Jul-2024,15%,0.00,0.00
Long-term before 23-Jul-2024,10%,0.00,0.00
Short-term from 23-Jul-2024,20%,50.00,10.00
Long-term from 23-Jul-2024,12.5%,0.00,0.00
Total tax,,,10.00
Tax is before surcharge and cess, which depend on the income of the person

Advance-tax window,Short-term,Long-term,Intraday
01-Apr-2024 to 15-Jun-2024,0.00,0.00,0.00
16-Jun-2024 to 15-Sep-2024,50.00,0.00,0.00
16-Sep-2024 to 15-Dec-2024,0.00,0.00,0.00
16-Dec-2024 to 15-Mar-2025,0.00,0.00,0.00
16-Mar-2025 to 31-Mar-2025,0.00,0.00,0.00
)");
}
