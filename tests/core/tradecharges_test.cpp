#include "core/portfolio/holdinglist.h"
#include "core/trades/tradebookreader.h"

#include <gtest/gtest.h>

// Charges of a broker priced by a dated charge schedule: brokerage per executed order, and
// holding lists whose lots are bought by the rates of their own dates and sold by today's.
namespace {
HeldLot held(const std::string &symbol, long brokerId, long quantity, double price,
             const std::string &date, double market)
{
    return {ProfileLot{symbol, "NSE", symbol, 0, price, quantity, brokerId, date}, market, 0};
}
} // namespace

TEST(HoldingCharges, ScheduledBrokersPriceEachLotByItsDateAndOthersStayAsTheyWere)
{
    StatutoryRates older = statutoryRates2024();
    older.effectiveFrom = "2020-07-01";
    older.exchangeNse = 0.00325;
    TradePricing pricing;
    pricing.calendar = ChargeCalendar({statutoryRates2024(), older});
    BrokerSchedule schedule;
    schedule.dpCharge = 15;
    pricing.schedules[1] = schedule;
    pricing.brokers = {BrokerEntry{2, "Old Way", {}}};
    pricing.brokers[0].rates[DeliveryBuyBrokerage] = 0.5;
    pricing.brokers[0].rates[DeliverySellBrokerage] = 0.5;

    const std::vector<HeldLot> lots = {held("INFY", 1, 100, 1000, "2024-09-02", 1400),
                                       held("TCS", 2, 10, 3000, "2025-01-10", 3100),
                                       held("INFY", 1, 50, 1200, "2025-01-10", 1400),
                                       held("WIPRO", 1, 10, 300, "2025-01-10", 0)};
    const HoldingList list = buildHoldingList(lots, TradeKind::Delivery, pricing, "2026-12-07");
    ASSERT_EQ(list.rows.size(), 3u);

    // Bought: 1,00,000 before October 2024 costs 118.95 (exchange 0.00325%), 60,000 after it
    // 71.17. Sold today: 2,10,000 costs 217.61 and the DP charge 15.
    const HoldingRow &infy = list.rows[0];
    EXPECT_NEAR(infy.costPlusCharges, 160000 + 190.12, 1e-6);
    EXPECT_NEAR(infy.youGet, 210000 - 190.12 - 232.61, 1e-6);
    EXPECT_NEAR(infy.netProfitLoss, 50000 - 190.12 - 232.61, 1e-6);

    // The sixteen percentages price exactly as before; a row without a quote sells for nothing.
    const HoldingList old = buildHoldingList({lots[1]}, TradeKind::Delivery, pricing.brokers);
    EXPECT_EQ(list.rows[1].costPlusCharges, old.rows[0].costPlusCharges);
    EXPECT_EQ(list.rows[1].netProfitLoss, old.rows[0].netProfitLoss);
    EXPECT_EQ(list.rows[2].youGet, 0);
    EXPECT_EQ(list.rows[2].netProfitLoss, 0);
    EXPECT_NEAR(list.totals.valueAtCost,
                infy.costPlusCharges + old.totals.valueAtCost + list.rows[2].costPlusCharges, 1e-6);
}

TEST(TradeCharges, TheMinimumAndCapApplyPerOrderNotPerFill)
{
    const Tradebook book = readTradebook(
        "symbol,isin,trade_date,exchange,segment,series,trade_type,auction,quantity,price,"
        "trade_id,order_id,order_execution_time\n"
        "INFY,X,2025-01-02,NSE,EQ,EQ,buy,false,10,1000,1,A,2025-01-02T10:00:00\n"
        "INFY,X,2025-01-02,NSE,EQ,EQ,buy,false,30,1000,2,A,2025-01-02T10:00:01\n"
        "INFY,X,2025-01-02,NSE,EQ,EQ,buy,false,10,1000,3,,2025-01-02T10:00:02\n"
        "INFY,X,2025-01-02,NSE,EQ,EQ,buy,false,10,1000,4,,2025-01-02T10:00:03\n"
        "INFY,X,2025-01-03,NSE,EQ,EQ,buy,false,100,1000,5,B,2025-01-03T10:00:00\n"
        "INFY,X,2025-01-03,NSE,EQ,EQ,buy,false,200,1000,6,B,2025-01-03T10:00:00\n",
        "t.csv");
    ASSERT_EQ(book.rows.size(), 6u);
    std::vector<Trade> trades;
    for (const TradebookRow &row : book.rows) {
        trades.push_back(row.trade);
        trades.back().brokerId = 1;
    }
    EXPECT_EQ(trades[1].orderId, "A");
    TradePricing pricing;
    BrokerSchedule schedule;
    schedule.delivery = {0.03, 20, 60};
    pricing.schedules[1] = schedule;
    const std::vector<TradeCharges> c = priceTrades(trades, pricing);
    // Order A of 40,000 pays the minimum 20 once, a quarter and three quarters; each fill
    // without an order pays its own minimum; order B of 3,00,000 pays 90 capped to 60.
    const std::vector<double> brokerage = {5, 15, 20, 20, 20, 40};
    for (std::size_t i = 0; i < brokerage.size(); ++i)
        EXPECT_DOUBLE_EQ(c[i].brokerage, brokerage[i]) << i;
    const TradeCharges alone = scheduledCharges(trades[1], schedule, statutoryRates2024());
    EXPECT_NEAR(c[1].gst, 0.18 * (15 + alone.exchangeCharge + alone.sebiFee), 0.006);
    EXPECT_NEAR(c[1].total, alone.total - alone.brokerage - alone.gst + 15 + c[1].gst, 1e-9);

    // Held as lots, the fills of order A still pay the minimum once.
    std::vector<HeldLot> lots;
    for (const Trade &t : trades)
        lots.push_back(
            {ProfileLot{"INFY", "NSE", "INFY", 0, t.price, t.quantity, 1, t.date, t.orderId}, 1000,
             0});
    lots.resize(2);
    EXPECT_NEAR(
        buildHoldingList(lots, TradeKind::Delivery, pricing, "2025-01-04").rows[0].costPlusCharges,
        40000 + c[0].total + c[1].total, 1e-6);
}
