#include "core/portfolio/holdinglist.h"
#include "core/trades/chargeschedule.h"
#include "core/trades/exactnumber.h"
#include "core/trades/importpreview.h"
#include "core/trades/saleform.h"
#include "core/trades/tradebookreader.h"
#include "core/trades/tradeledger.h"
#include "core/trades/tradematcher.h"
#include "core/trades/tradepricing.h"
#include "figures.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {
using std::tie, std::tuple;
constexpr TradeSide Buy = TradeSide::Buy, Sell = TradeSide::Sell;

const std::string Header = "symbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                           "quantity,price,trade_id,order_id,order_execution_time\n";

std::string row(const std::string &symbol, const std::string &date, const std::string &side,
                const std::string &quantity, const std::string &price, const std::string &id,
                const std::string &segment = "EQ", const std::string &exchange = "NSE",
                const std::string &order = "1", const std::string &time = "10:00:00")
{
    return symbol + ",INE000000000," + date + "," + exchange + "," + segment + ",EQ," + side +
           ",false," + quantity + "," + price + "," + id + "," + order + "," + date + "T" + time +
           "\n";
}

Trade trade(TradeSide side, const std::string &symbol, long quantity, double price,
            const std::string &date, long id)
{
    Trade t;
    tie(t.id, t.side, t.symbol, t.exchange, t.quantity, t.price, t.date) =
        tuple(id, side, symbol, "NSE", quantity, price, date);
    return t;
}

// The rates of 2024, and before them the NSE exchange charge of 0.00325%.
ChargeCalendar twoRates()
{
    StatutoryRates older = statutoryRates2024();
    older.effectiveFrom = "2020-07-01";
    older.exchangeNse = 0.00325;
    return ChargeCalendar({statutoryRates2024(), older});
}

} // namespace

// Partly consumed lots carry their share of the buy's charges into the sale and keep the rest;
// kinds and symbols are matched apart, and shares sold beyond the lots are shown.
TEST(TradeMatcher, SalesConsumeTheOldestLotsFirstAcrossPartialLots)
{
    Trade intradayBuy = trade(Buy, "SBIN", 50, 800, "2025-02-01", 5);
    intradayBuy.kind = TradeKind::Intraday;
    const TradeBook book = matchTrades(
        {
            trade(Sell, "INFY", 12, 120, "2025-03-01", 4), // stored last, happened later
            trade(Buy, "INFY", 10, 100, "2025-01-10", 2),
            trade(Buy, "INFY", 5, 110, "", 1), // migrated: date unknown, so oldest
            trade(Buy, "TCS", 3, 3000, "2025-01-05", 3),
            intradayBuy,
            trade(Buy, "SBIN", 10, 790, "2025-01-01", 6),
            trade(Sell, "SBIN", 15, 805, "2025-02-01", 7),
        },
        {{.total = 6}, {.total = 10}, {.total = 5}, {.total = 1}, {}, {}, {}});
    ASSERT_EQ(book.sales.size(), 2u);
    const SaleResult &sale = book.sales[1];
    ASSERT_EQ(sale.lots.size(), 2u);
    const LotMatch &a = sale.lots[0], &b = sale.lots[1];
    // Summed over its lots, a sale's per-lot figures are its result.
    expectFigures(
        {a.cost, a.saleValue, b.cost, b.saleValue, sale.costOfLots, sale.buyCharges, sale.profit},
        {5 * 110 + 5, 5 * 120 - 6.0 * 5 / 12, 7 * 100 + 7.0, 7 * 120 - 6.0 * 7 / 12, 550 + 700, 12,
         1440 - 1250 - 12 - 6},
        1e-9);
    ASSERT_EQ(book.open.size(), 3u);
    EXPECT_EQ(tie(book.open[0].buy.symbol, book.open[1].buy.id, book.open[1].remaining,
                  book.open[1].charges),
              tuple("TCS", 2, 3, 3.0));
    // The delivery sale of SBIN can't take the intraday lot.
    EXPECT_EQ(tie(book.sales[0].unmatched, book.sales[0].profit, book.open[2].buy.kind,
                  book.open[2].remaining),
              tuple(5, 10 * 805 - 10 * 790.0, TradeKind::Intraday, 50));
}

TEST(ExactNumber, ReadsGroupedDecimalsExactlyAndRefusesTheRest)
{
    EXPECT_EQ(tuple(readDecimal("1,234.50"), readDecimal("1,23,456.5"), readDecimal("0.05")),
              tuple(1234.5, 123456.5, 0.05));
    for (const char *bad : {"1,2345.5", "1,,234", ",123", "123,", "1.2.3", "1e3", "-5", "+5",
                            "12 34", "", ".5", "5.", "1,234,5", "١٢٣"})
        EXPECT_FALSE(readDecimal(bad).has_value()) << bad;
    EXPECT_EQ(tuple(readCount("1,000"), readCount("10.000")), tuple(1000, 10));
}

TEST(TradebookReader, FindsTheHeaderBelowAPreambleAndRefusesRowsWithTheirLineAndReason)
{
    std::string text = "\xEF\xBB\xBF"
                       "Client ID,AB1234\n";
    for (int i = 0; i < 12; ++i)
        text += "note " + std::to_string(i) + ",\n";
    text += Header + row("NIFTY", "2025-04-02", "buy", "50", "10", "1", "FO") +
            row("INFY", "2025-04-02", "hold", "3", "1500", "2") +
            row("INFY", "2025-04-02", "buy", "3.5", "1500", "3") +
            row("INFY", "2025-04-02", "buy", "3", "\"1.500,25\"", "4") +
            row("INFY", "2025-02-30", "buy", "3", "1500", "5") +
            row("INFY", "2025-04-02", "buy", "3", "1500", "") +
            row("INFY", "2025-04-02", "buy", "3", "1,500.25", "7") + // unquoted
            std::string(10000, 'x') + "\n" +
            row("TCS", "2025-04-02", "sell", "1", "3500", "9", "EQ", "BSE") +
            row("INFY", "2025-04-02", "BUY", "3", "\"1,502.35\"", "77") + "\r\n";
    const Tradebook book = readTradebook(text, "tb.csv");
    ASSERT_EQ(tuple(book.error, book.rows.size(), book.refused.size()), tuple("", 2u, 8u));
    const Trade &t = book.rows[1].trade;
    EXPECT_EQ(tie(book.rows[0].line, book.rows[1].line, t.side, t.price, t.time, t.isin, t.source,
                  t.exchangeTradeId),
              tuple(23, 24, Buy, 1502.35, "10:00:00", "INE000000000", "tb.csv", "77"));
    const std::vector<std::string> words = {"segment", "side",     "quantity", "price",
                                            "date",    "trade id", "fields",   "characters"};
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(book.refused[i].line, int(i) + 15);
        EXPECT_NE(book.refused[i].reason.find(words[i]), std::string::npos)
            << book.refused[i].reason;
    }
}

TEST(TradebookReader, SomethingElseIsNoTradebookAtAll)
{
    const std::string otherColumns = "Date,Symbol,Qty,Rate\n2025-04-02,INFY,3,1500\n";
    std::string sheet;
    for (int i = 0; i < 25; ++i)
        sheet += "Sheet1,,,\n";
    sheet += Header + row("INFY", "2025-04-02", "buy", "3", "1500", "1"); // header too low
    std::string junk(10 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 7919) % 251);
    for (const std::string &text : {otherColumns, sheet, std::string(), std::string("\xEF\xBB\xBF"),
                                    junk, Header, std::string(10000, 'y')}) {
        const Tradebook book = readTradebook(text, "x.csv");
        EXPECT_EQ(tuple(book.rows.size(), book.error.find("\"x.csv\"") != std::string::npos),
                  tuple(0u, true));
    }
}

TEST(ImportPreview, SkipsHeldTradesMarksSameDayRoundTripsAndRefusesOversales)
{
    const std::string text =
        Header + row("INFY", "2025-04-05", "sell", "15", "1600", "104") +    // sells both INFY buys
        row("INFY", "2025-04-02", "buy", "10", "1500", "100") +              // held already
        row("INFY", "2025-04-02", "buy", "10", "1500", "100", "EQ", "BSE") + // other exchange
        row("SBIN", "2025-04-03", "buy", "20", "800", "101") +
        row("SBIN", "2025-04-03", "sell", "20", "805", "102") + // same day: intraday
        row("TCS", "2025-04-04", "sell", "5", "3500", "103") +  // nothing held
        row("SBIN", "2025-04-03", "buy", "20", "800", "101");   // repeated in the file
    Trade stored = trade(Buy, "INFY", 10, 1500, "2025-04-02", 1);
    stored.exchangeTradeId = "100";
    Trade old = stored;
    old.date = "2024-04-02"; // same id on another day is another trade
    old.id = 2;

    const ImportPreview preview = previewImport(readTradebook(text, "tb.csv"), {stored}, 7);
    ASSERT_EQ(tuple(preview.alreadyHeld.size(), preview.toAdd.size(), preview.intraday.size(),
                    preview.refused.size()),
              tuple(1u, 4u, 1u, 2u));
    EXPECT_EQ(tuple(preview.alreadyHeld[0].line, preview.intraday[0].symbol,
                    preview.refused[0].line, preview.refused[1].line),
              tuple(3, "SBIN", 7, 8));
    const auto added = [&](std::size_t i) -> const Trade & { return preview.toAdd[i].trade; };
    EXPECT_EQ(tie(added(1).exchange, added(1).kind), tuple("BSE", TradeKind::Delivery));
    EXPECT_EQ(tie(added(2).kind, added(3).kind, added(3).brokerId),
              tuple(TradeKind::Intraday, TradeKind::Intraday, 7));

    // The same file again, its new trades stored and the held one's id only on another day:
    // that line alone is new, and the repeated line is held too, this time.
    std::vector<Trade> all = {old};
    for (const TradebookRow &r : preview.toAdd)
        all.push_back(r.trade);
    const ImportPreview again = previewImport(readTradebook(text, "tb.csv"), all, 7);
    EXPECT_EQ(tuple(again.toAdd.size(), again.alreadyHeld.size()), tuple(1u, 5u));
}

TEST(ChargeSchedule, PricesATradeByTheStatutoryRatesInForceOnItsDate)
{
    BrokerSchedule broker;
    broker.delivery = {0, 0, 0};
    broker.intraday = {0.03, 0, 20};
    broker.dpCharge = 15.34;
    Trade buy = trade(Buy, "INFY", 100, 1000, "2025-01-02", 1); // 1,00,000
    const TradeCharges c = scheduledCharges(buy, broker, statutoryRates2024());
    // The GST is 18% of 3.07.
    expectFigures({c.stt, c.exchangeCharge, c.sebiFee, c.stampDuty, c.gst, c.total},
                  {100, 2.97, 0.10, 15, 0.55, 118.62}, 1e-9);

    Trade sell = buy;
    tie(sell.side, sell.kind, sell.exchange) = tuple(Sell, TradeKind::Intraday, "BSE");
    const TradeCharges s = scheduledCharges(sell, broker, statutoryRates2024());
    // 0.03% is 30, capped.
    expectFigures({s.brokerage, s.stt, s.exchangeCharge, s.stampDuty}, {20, 25, 3.75, 0});

    const ChargeCalendar calendar = twoRates();
    for (const auto &[date, rate] : {tuple("2024-09-30", 0.00325), tuple("2024-10-01", 0.00297),
                                     tuple("2019-01-01", 0.00325), tuple("", 0.00297)})
        EXPECT_EQ(calendar.inForceOn(date).exchangeNse, rate) << date;
}

// Brokerage is per executed order: the minimum and the cap apply to the order, not each fill.
TEST(ChargeSchedule, TheMinimumAndCapApplyPerOrderNotPerFill)
{
    const Tradebook book = readTradebook(
        Header + row("INFY", "2025-01-02", "buy", "10", "1000", "1", "EQ", "NSE", "A") +
            row("INFY", "2025-01-02", "buy", "30", "1000", "2", "EQ", "NSE", "A", "10:00:01") +
            row("INFY", "2025-01-02", "buy", "10", "1000", "3", "EQ", "NSE", "", "10:00:02") +
            row("INFY", "2025-01-02", "buy", "10", "1000", "4", "EQ", "NSE", "", "10:00:03") +
            row("INFY", "2025-01-03", "buy", "100", "1000", "5", "EQ", "NSE", "B") +
            row("INFY", "2025-01-03", "buy", "200", "1000", "6", "EQ", "NSE", "B"),
        "t.csv");
    ASSERT_EQ(book.rows.size(), 6u);
    std::vector<Trade> trades;
    for (const TradebookRow &row : book.rows) {
        trades.push_back(row.trade);
        trades.back().brokerId = 1;
    }
    TradePricing pricing;
    BrokerSchedule schedule;
    schedule.delivery = {0.03, 20, 60};
    pricing.schedules[1] = schedule;
    const std::vector<TradeCharges> c = priceTrades(trades, pricing);
    // Order A pays the minimum 20 once, split 1:3; lone fills 20 each; order B 90 capped to 60.
    expectFigures({c[0].brokerage, c[1].brokerage, c[2].brokerage, c[3].brokerage, c[4].brokerage,
                   c[5].brokerage},
                  {5, 15, 20, 20, 20, 40});
    const TradeCharges alone = scheduledCharges(trades[1], schedule, statutoryRates2024());
    expectFigures({c[1].gst, c[1].total},
                  {0.18 * (15 + alone.exchangeCharge + alone.sebiFee),
                   alone.total - alone.brokerage - alone.gst + 15 + c[1].gst},
                  0.006);

    // Held as lots, the fills of order A still pay the minimum once.
    std::vector<HeldLot> lots;
    for (const Trade &t : std::vector(trades.begin(), trades.begin() + 2))
        lots.push_back(
            {ProfileLot{"INFY", "NSE", "INFY", 0, t.price, t.quantity, 1, t.date, t.orderId}, 1000,
             0});
    EXPECT_NEAR(
        buildHoldingList(lots, TradeKind::Delivery, pricing, "2025-01-04").rows[0].costPlusCharges,
        40000 + c[0].total + c[1].total, 1e-6);
}

// Lots are bought at the rates of their date, sold at today's; other brokers keep percentages.
// The DP charge is once per company per day sold from delivery.
TEST(ChargeSchedule, ScheduledBrokersPriceEachHeldLotByItsDateAndTheDpChargeOncePerDay)
{
    TradePricing pricing;
    pricing.calendar = twoRates();
    BrokerSchedule schedule;
    schedule.dpCharge = 15;
    pricing.schedules[1] = schedule;
    pricing.brokers = {BrokerEntry{2, "Old Way", {}}};
    pricing.brokers[0].rates[DeliveryBuyBrokerage] = 0.5;
    pricing.brokers[0].rates[DeliverySellBrokerage] = 0.5;
    const auto held = [](const char *symbol, long broker, long quantity, double price,
                         const char *date, double market) {
        return HeldLot{ProfileLot{symbol, "NSE", symbol, 0, price, quantity, broker, date}, market,
                       0};
    };
    const std::vector<HeldLot> lots = {held("INFY", 1, 100, 1000, "2024-09-02", 1400),
                                       held("TCS", 2, 10, 3000, "2025-01-10", 3100),
                                       held("INFY", 1, 50, 1200, "2025-01-10", 1400),
                                       held("WIPRO", 1, 10, 300, "2025-01-10", 0)};
    const HoldingList list = buildHoldingList(lots, TradeKind::Delivery, pricing, "2026-12-07");
    ASSERT_EQ(list.rows.size(), 3u);

    // Bought for 118.95 (the older 0.00325%) and 71.17; sold today for 217.61 and the DP 15.
    const HoldingRow &infy = list.rows[0];
    expectFigures({infy.costPlusCharges, infy.youGet, infy.netProfitLoss},
                  {160000 + 190.12, 210000 - 190.12 - 232.61, 50000 - 190.12 - 232.61}, 1e-6);
    // A row without a quote sells for nothing.
    const HoldingList old = buildHoldingList({lots[1]}, TradeKind::Delivery, pricing.brokers);
    EXPECT_EQ(tie(list.rows[1].costPlusCharges, list.rows[1].netProfitLoss),
              tie(old.rows[0].costPlusCharges, old.rows[0].netProfitLoss));
    EXPECT_EQ(tie(list.rows[2].youGet, list.rows[2].netProfitLoss), tuple(0, 0));

    std::vector<Trade> trades = {
        trade(Sell, "INFY", 1, 100, "2025-01-02", 1), trade(Sell, "INFY", 1, 100, "2025-01-02", 2),
        trade(Sell, "TCS", 1, 100, "2025-01-02", 3), trade(Sell, "INFY", 1, 100, "2025-01-03", 4),
        trade(Sell, "INFY", 1, 100, "2025-01-03", 5)};
    for (Trade &t : trades)
        t.brokerId = 1;
    trades[4].brokerId = 2;
    trades.push_back(trades[0]);
    trades.back().kind = TradeKind::Intraday;
    const std::vector<TradeCharges> c = priceTrades(trades, pricing);
    expectFigures({c[0].dpCharge, c[1].dpCharge, c[2].dpCharge, c[3].dpCharge, c[4].dpCharge,
                   c[5].dpCharge, c[4].brokerage},
                  {15, 0, 15, 15, 0, 0, 0.5}); // the last priced the old way
}

TEST(TradeLedger, ListsEachSaleWithItsResultAndFiltersBySymbolAndYear)
{
    const std::vector<TradeLine> lines = tradeLines({trade(Sell, "INFY", 5, 120, "2026-01-03", 3),
                                                     trade(Buy, "INFY", 10, 100, "2025-12-30", 1),
                                                     trade(Buy, "TCS", 1, 3000, "", 2)},
                                                    TradePricing{});
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_TRUE(lines[2].result.has_value());
    // Undated first.
    EXPECT_EQ(tuple(lines[0].trade.symbol, lines[1].result.has_value(), lines[2].result->profit),
              tuple("TCS", false, 100));
    EXPECT_EQ(tradeYears(lines), (std::vector<int>{2026, 2025}));
    EXPECT_EQ(tuple(filterLines(lines, "infy", 0).size(), filterLines(lines, "", 2025).size(),
                    filterLines(lines, "TCS", 2025).size()),
              tuple(2, 1, 0)); // an unknown date is in no year
}

TEST(SaleForm, RefusesMoreThanIsHeldAndDatesOffTheCalendar)
{
    const SaleHolding holding{"Infosys Limited", "NSE", "INFY", TradeKind::Delivery, 10};
    EXPECT_FALSE(saleRefusal(holding, {10, 1500, "2024-02-29", 1}).has_value());
    for (const SaleValues &bad : std::initializer_list<SaleValues>{{11, 1500, "2024-02-29", 1},
                                                                   {0, 1500, "2024-02-29", 1},
                                                                   {5, 0, "2024-02-29", 1},
                                                                   {5, 1500, "1899-12-31", 1}})
        EXPECT_TRUE(saleRefusal(holding, bad).has_value()) << bad.quantity << ' ' << bad.date;
    const Trade sale = saleTrade(holding, {5, 1500.5, "2026-01-02", 3});
    EXPECT_EQ(tie(sale.side, sale.brokerId, sale.source), tuple(Sell, 3, TypedSource));
}
