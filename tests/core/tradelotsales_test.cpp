#include "core/gains/tradelotsales.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace std::chrono;

namespace {
Trade trade(long id, const std::string &date, TradeSide side, long quantity, double price,
            TradeKind kind = TradeKind::Delivery)
{
    Trade t;
    std::tie(t.id, t.date, t.exchange, t.symbol, t.side, t.quantity, t.price, t.kind, t.brokerId) =
        std::tuple(id, date, "NSE", "INFY", side, quantity, price, kind, 1);
    return t;
}

// Round rates so every charge can be worked by hand: 0.1% brokerage on delivery, 0.1% STT
// on both delivery sides, 0.025% STT on intraday sales, a DP charge of 15.
TradePricing pricing()
{
    StatutoryRates rates;
    rates.effectiveFrom = "2000-01-01";
    rates.sttDeliveryBuy = 0.1;
    rates.sttDeliverySell = 0.1;
    rates.sttIntradaySell = 0.025;
    TradePricing p;
    p.calendar = ChargeCalendar({rates});
    BrokerSchedule schedule;
    schedule.delivery.percent = 0.1;
    schedule.dpCharge = 15;
    p.schedules[1] = schedule;
    return p;
}
} // namespace

TEST(TradeLotSales, DeliveryLotsLeaveTheTransactionTaxOutAndSplitTheSaleCharges)
{
    const std::vector<Trade> trades{
        trade(1, "2024-01-10", TradeSide::Buy, 60, 100),
        trade(2, "", TradeSide::Buy, 40, 90), // a migrated lot: consumed first
        trade(3, "2025-03-01", TradeSide::Sell, 100, 120),
    };
    const std::vector<LotSale> sales = lotSales(tradeLines(trades, pricing()));

    ASSERT_EQ(sales.size(), 2u);
    const LotSale &undated = sales[0];
    EXPECT_FALSE(undated.bought);
    EXPECT_EQ(undated.sold, year{2025} / March / 1);
    EXPECT_EQ(undated.quantity, 40);
    EXPECT_NEAR(undated.cost, 3600 + 3.6, 1e-9);
    // Sale charges 12 brokerage + 15 DP (the 12 STT is not one), 40% of them.
    EXPECT_NEAR(undated.saleCharges, 10.8, 1e-9);
    EXPECT_NEAR(undated.saleValue, 4800 - 10.8, 1e-9);

    const LotSale &dated = sales[1];
    EXPECT_EQ(dated.bought, year{2024} / January / 10);
    EXPECT_EQ(dated.quantity, 60);
    EXPECT_NEAR(dated.cost, 6000 + 6, 1e-9);
    EXPECT_NEAR(dated.saleCharges, 16.2, 1e-9);
    EXPECT_NEAR(dated.saleValue, 7200 - 16.2, 1e-9);
    EXPECT_EQ(dated.kind, TradeKind::Delivery);
    EXPECT_EQ(dated.turnover, 0);
}

TEST(TradeLotSales, IntradayTurnoverIsTheAbsoluteResult)
{
    const std::vector<Trade> trades{
        trade(1, "2025-06-16", TradeSide::Buy, 10, 1020, TradeKind::Intraday),
        trade(2, "2025-06-16", TradeSide::Sell, 10, 1000, TradeKind::Intraday),
    };
    const std::vector<LotSale> sales = lotSales(tradeLines(trades, pricing()));

    ASSERT_EQ(sales.size(), 1u);
    EXPECT_EQ(sales[0].kind, TradeKind::Intraday);
    EXPECT_NEAR(sales[0].cost, 10200, 1e-9);
    EXPECT_NEAR(sales[0].saleValue, 10000, 1e-9); // the 2.50 STT taken back out
    EXPECT_NEAR(sales[0].turnover, 200, 1e-9);
}

TEST(TradeLotSales, SalesWithoutAResultOrADateGiveNothing)
{
    const std::vector<Trade> trades{
        trade(1, "", TradeSide::Sell, 5, 100),           // no known date
        trade(2, "2025-04-01", TradeSide::Sell, 5, 100), // nothing held to sell
    };
    EXPECT_TRUE(lotSales(tradeLines(trades, pricing())).empty());
}

TEST(TradeLotSales, OnlyRealCalendarDaysAreDays)
{
    EXPECT_EQ(tradeDay("2024-02-29"), year{2024} / February / 29);
    for (const char *junk :
         {"", "2023-02-29", "2025-13-01", "2025-1-01", "2025/01/01", "2025-01-01 ", "20x5-01-01"})
        EXPECT_FALSE(tradeDay(junk)) << junk;
}

TEST(TradeLotSales, TheYearsOnOfferAreTheSalesAndTheCurrentOneNewestFirst)
{
    LotSale march;
    march.sold = year{2024} / March / 31;
    LotSale april = march;
    april.sold = year{2024} / April / 1;
    const std::vector<LotSale> sales{april, march, april};
    const auto years = salesYears(sales, FinancialYear{2026});
    ASSERT_EQ(years.size(), 3u);
    EXPECT_EQ(years[0].name(), "2026-27");
    EXPECT_EQ(years[1].name(), "2024-25");
    EXPECT_EQ(years[2].name(), "2023-24");
}
