#include "core/gains/tradereturns.h"
#include "core/portfolio/holdingcells.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace std::chrono;

namespace {
Trade trade(long id, const std::string &symbol, const std::string &date, TradeSide side,
            long quantity, double price)
{
    Trade t;
    std::tie(t.id, t.date, t.exchange, t.symbol, t.side, t.quantity, t.price) =
        std::tuple(id, date, "NSE", symbol, side, quantity, price);
    return t;
}

HoldingRow row(const std::string &symbol, double price)
{
    HoldingRow r;
    r.symbol = symbol;
    r.marketPrice = price;
    return r;
}
} // namespace

// INFY: 10 at 100 on 01-Jan-2021, 10 at 100 on 01-Jan-2022, 15 sold at 115.50 on 01-Jan-2023,
// 5 held at 115.50: flows -1,000, -1,000, +2,310 two years on, which is 10% a year.
// TCS: a lot of no known date, so no rate; the whole portfolio then has none either.
TEST(TradeReturns, RowsTakeTheRateOfTheirCompanysWholeHistory)
{
    const std::vector<Trade> trades{
        trade(1, "INFY", "2021-01-01", TradeSide::Buy, 10, 100),
        trade(2, "INFY", "2022-01-01", TradeSide::Buy, 10, 100),
        trade(3, "INFY", "2023-01-01", TradeSide::Sell, 15, 115.5),
        trade(4, "TCS", "", TradeSide::Buy, 2, 3000),
    };
    const auto lines = tradeLines(trades, {});
    std::vector<HoldingRow> rows{row("INFY", 115.5), row("TCS", 0)};
    const auto histories = holdingHistories(lines, TradeKind::Delivery, latestPrices(rows));
    const year_month_day today = year{2023} / January / 1;

    ASSERT_EQ(histories.size(), 2u);
    ASSERT_EQ(histories[0].open.size(), 1u);
    EXPECT_EQ(histories[0].open[0].quantity, 5);
    EXPECT_DOUBLE_EQ(histories[0].open[0].cost, 500);
    EXPECT_FALSE(histories[1].latestPrice); // no quote yet: not a price of 0

    setRowReturns(rows, histories, today);
    ASSERT_TRUE(rows[0].xirr);
    EXPECT_NEAR(*rows[0].xirr, 0.10, 1e-9);
    EXPECT_EQ(holdingCellText(rows[0], holdingcol::Xirr), "10.00%");
    EXPECT_FALSE(rows[1].xirr);
    EXPECT_EQ(holdingCellText(rows[1], holdingcol::Xirr), NoXirrWithoutDates);

    const HoldingReturns whole = portfolioReturns(histories, today);
    EXPECT_FALSE(whole.xirr);
    EXPECT_EQ(portfolioReturnsText(whole),
              "Realised: 232.50   Unrealised: N/A   XIRR: no XIRR: buy dates unknown");
}

// Returns count the money as it went: the transaction tax stays in, and a part-sold buy keeps
// the remaining shares' part of its charges.
TEST(TradeReturns, HeldSharesCarryTheirPartOfTheBuysChargesWithTheTax)
{
    StatutoryRates rates;
    rates.effectiveFrom = "2000-01-01";
    rates.sttDeliveryBuy = 0.1;
    rates.sttDeliverySell = 0.1;
    TradePricing pricing;
    pricing.calendar = ChargeCalendar({rates});
    pricing.schedules[0] = BrokerSchedule{{0.1, 0, 0}, {}, 0};

    const std::vector<Trade> trades{
        trade(1, "INFY", "2024-01-10", TradeSide::Buy, 100, 100), // charges 10 + 10 STT
        trade(2, "INFY", "2024-06-10", TradeSide::Sell, 25, 120), // charges 3 + 3 STT
    };
    const auto histories = holdingHistories(tradeLines(trades, pricing), TradeKind::Delivery, {});
    ASSERT_EQ(histories.size(), 1u);
    ASSERT_EQ(histories[0].open.size(), 1u);
    EXPECT_NEAR(histories[0].open[0].cost, 7500 + 15, 1e-9);
    ASSERT_EQ(histories[0].sold.size(), 1u);
    EXPECT_NEAR(histories[0].sold[0].cost, 2500 + 5, 1e-9);
    EXPECT_NEAR(histories[0].sold[0].saleValue, 3000 - 6, 1e-9);
    EXPECT_TRUE(holdingHistories(tradeLines(trades, pricing), TradeKind::Intraday, {}).empty());
}
