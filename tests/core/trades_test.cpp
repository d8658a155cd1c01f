#include "core/trades/chargeschedule.h"
#include "core/trades/exactnumber.h"
#include "core/trades/importpreview.h"
#include "core/trades/saleform.h"
#include "core/trades/tradebookreader.h"
#include "core/trades/tradeledger.h"
#include "core/trades/tradematcher.h"
#include "core/trades/tradepricing.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

namespace {
const std::string Header = "symbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                           "quantity,price,trade_id,order_id,order_execution_time\n";

std::string row(const std::string &symbol, const std::string &date, const std::string &side,
                const std::string &quantity, const std::string &price, const std::string &id,
                const std::string &segment = "EQ", const std::string &exchange = "NSE")
{
    return symbol + ",INE000000000," + date + "," + exchange + "," + segment + ",EQ," + side +
           ",false," + quantity + "," + price + "," + id + ",1," + date + "T10:00:00\n";
}

Trade trade(TradeSide side, const std::string &symbol, long quantity, double price,
            const std::string &date, long id)
{
    Trade t;
    std::tie(t.id, t.side, t.symbol, t.exchange, t.quantity, t.price, t.date) =
        std::tuple(id, side, symbol, "NSE", quantity, price, date);
    return t;
}

TradeCharges flat(double total)
{
    TradeCharges c;
    c.total = total;
    return c;
}
} // namespace

// Sales consume the oldest open buys of their symbol and kind; partial lots carry their share
// of the buy's charges into the sale and keep the rest.
TEST(TradeMatcher, SalesConsumeTheOldestLotsFirstAcrossPartialLots)
{
    const std::vector<Trade> trades = {
        trade(TradeSide::Sell, "INFY", 12, 120, "2025-03-01", 4), // stored last, happened later
        trade(TradeSide::Buy, "INFY", 10, 100, "2025-01-10", 2),
        trade(TradeSide::Buy, "INFY", 5, 110, "", 1), // migrated: date unknown, so oldest
        trade(TradeSide::Buy, "TCS", 3, 3000, "2025-01-05", 3),
    };
    const std::vector<TradeCharges> charges = {flat(6), flat(10), flat(5), flat(1)};
    const TradeBook book = matchTrades(trades, charges);

    ASSERT_EQ(book.sales.size(), 1u);
    const SaleResult &sale = book.sales[0];
    ASSERT_EQ(sale.lots.size(), 2u);
    EXPECT_EQ(sale.lots[0].quantity, 5);
    EXPECT_EQ(sale.lots[0].buyDate, "");
    EXPECT_EQ(sale.lots[0].buyTradeId, 1);
    EXPECT_DOUBLE_EQ(sale.lots[0].cost, 5 * 110 + 5);
    EXPECT_DOUBLE_EQ(sale.lots[0].saleValue, 5 * 120 - 6.0 * 5 / 12);
    EXPECT_EQ(sale.lots[1].quantity, 7);
    EXPECT_EQ(sale.lots[1].buyDate, "2025-01-10");
    EXPECT_EQ(sale.lots[1].saleDate, "2025-03-01");
    EXPECT_DOUBLE_EQ(sale.lots[1].cost, 7 * 100 + 7.0);
    EXPECT_DOUBLE_EQ(sale.costOfLots, 550 + 700);
    EXPECT_DOUBLE_EQ(sale.buyCharges, 12);
    EXPECT_DOUBLE_EQ(sale.profit, 1440 - 1250 - 12 - 6);
    EXPECT_EQ(sale.unmatched, 0);

    ASSERT_EQ(book.open.size(), 2u);
    EXPECT_EQ(book.open[0].buy.symbol, "TCS");
    EXPECT_EQ(book.open[1].buy.id, 2);
    EXPECT_EQ(book.open[1].remaining, 3);
    EXPECT_DOUBLE_EQ(book.open[1].charges, 3);

    // Summed over its lots, a sale's per-lot figures are its result.
    double net = 0;
    for (const LotMatch &m : sale.lots)
        net += m.saleValue - m.cost;
    EXPECT_NEAR(net, sale.profit, 1e-9);
}

TEST(TradeMatcher, KindsAndSymbolsAreMatchedApartAndOversalesAreShown)
{
    Trade intradayBuy = trade(TradeSide::Buy, "SBIN", 50, 800, "2025-02-01", 1);
    intradayBuy.kind = TradeKind::Intraday;
    const std::vector<Trade> trades = {intradayBuy,
                                       trade(TradeSide::Buy, "SBIN", 10, 790, "2025-01-01", 2),
                                       trade(TradeSide::Sell, "SBIN", 15, 805, "2025-02-01", 3)};
    const TradeBook book = matchTrades(trades, {});
    ASSERT_EQ(book.sales.size(), 1u);
    EXPECT_EQ(book.sales[0].unmatched, 5); // the delivery sale can't take the intraday lot
    EXPECT_DOUBLE_EQ(book.sales[0].profit, 10 * 805 - 10 * 790);
    ASSERT_EQ(book.open.size(), 1u);
    EXPECT_EQ(book.open[0].buy.kind, TradeKind::Intraday);
    EXPECT_EQ(book.open[0].remaining, 50);
}

TEST(ExactNumber, ReadsGroupedDecimalsExactlyAndRefusesTheRest)
{
    EXPECT_EQ(readDecimal("1,234.50"), 1234.5);
    EXPECT_EQ(readDecimal("1,23,456.5"), 123456.5);
    EXPECT_EQ(readDecimal("0.05"), 0.05);
    for (const char *bad : {"1,2345.5", "1,,234", ",123", "123,", "1.2.3", "1e3", "-5", "+5",
                            "12 34", "", ".5", "5.", "1,234,5", "١٢٣"})
        EXPECT_FALSE(readDecimal(bad).has_value()) << bad;
    EXPECT_EQ(readCount("1,000"), 1000);
    EXPECT_EQ(readCount("10.000"), 10);
    EXPECT_FALSE(readCount("10.5").has_value());
}

TEST(TradebookReader, FindsTheHeaderBelowAPreambleAndPastAByteOrderMark)
{
    std::string preamble = "\xEF\xBB\xBF"
                           "Client ID,AB1234\n";
    for (int i = 0; i < 12; ++i)
        preamble += "note " + std::to_string(i) + ",\n";
    const Tradebook book = readTradebook(
        preamble + Header + row("INFY", "2025-04-02", "BUY", "3", "\"1,502.35\"", "77") + "\r\n",
        "tb.csv");
    ASSERT_TRUE(book.error.empty()) << book.error;
    ASSERT_EQ(book.rows.size(), 1u);
    const Trade &t = book.rows[0].trade;
    EXPECT_EQ(book.rows[0].line, 15);
    EXPECT_EQ(t.side, TradeSide::Buy);
    EXPECT_EQ(t.price, 1502.35);
    EXPECT_EQ(t.time, "10:00:00");
    EXPECT_EQ(t.isin, "INE000000000");
    EXPECT_EQ(t.source, "tb.csv");
    EXPECT_EQ(t.exchangeTradeId, "77");
}

TEST(TradebookReader, RefusesRowsItCannotReadWithTheirLineAndReason)
{
    const std::string text = Header + row("NIFTY", "2025-04-02", "buy", "50", "10", "1", "FO") +
                             row("INFY", "2025-04-02", "hold", "3", "1500", "2") +
                             row("INFY", "2025-04-02", "buy", "3.5", "1500", "3") +
                             row("INFY", "2025-04-02", "buy", "3", "\"1.500,25\"", "4") +
                             row("INFY", "2025-13-02", "buy", "3", "1500", "5") +
                             row("INFY", "2025-04-02", "buy", "3", "1500", "") +
                             row("INFY", "2025-04-02", "buy", "3", "1,500.25", "7") + // unquoted

                             std::string(10000, 'x') + "\n" +
                             row("TCS", "2025-04-02", "sell", "1", "3500", "9", "EQ", "BSE");
    const Tradebook book = readTradebook(text, "tb.csv");
    ASSERT_TRUE(book.error.empty());
    ASSERT_EQ(book.rows.size(), 1u);
    EXPECT_EQ(book.rows[0].line, 10);
    ASSERT_EQ(book.refused.size(), 8u);
    const std::vector<std::string> words = {"segment", "side",     "quantity", "price",
                                            "date",    "trade id", "fields",   "characters"};
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(book.refused[i].line, int(i) + 2);
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
        EXPECT_FALSE(book.error.empty());
        EXPECT_TRUE(book.rows.empty());
        EXPECT_NE(book.error.find("\"x.csv\""), std::string::npos);
    }
}

TEST(ImportPreview, SkipsHeldTradesMarksSameDayRoundTripsAndRefusesOversales)
{
    const std::string text =
        Header + row("INFY", "2025-04-02", "buy", "10", "1500", "100") +     // held already
        row("INFY", "2025-04-02", "buy", "10", "1500", "100", "EQ", "BSE") + // other exchange
        row("SBIN", "2025-04-03", "buy", "20", "800", "101") +
        row("SBIN", "2025-04-03", "sell", "20", "805", "102") + // same day: intraday
        row("TCS", "2025-04-04", "sell", "5", "3500", "103") +  // nothing held
        row("SBIN", "2025-04-03", "buy", "20", "800", "101");   // repeated in the file
    Trade stored = trade(TradeSide::Buy, "INFY", 10, 1500, "2025-04-02", 1);
    stored.exchangeTradeId = "100";
    Trade old = stored;
    old.date = "2024-04-02"; // same id on another day is another trade
    old.id = 2;

    const ImportPreview preview = previewImport(readTradebook(text, "tb.csv"), {stored}, 7);
    ASSERT_EQ(preview.alreadyHeld.size(), 1u);
    EXPECT_EQ(preview.alreadyHeld[0].line, 2);
    ASSERT_EQ(preview.toAdd.size(), 3u);
    EXPECT_EQ(preview.toAdd[0].trade.exchange, "BSE");
    EXPECT_EQ(preview.toAdd[0].trade.kind, TradeKind::Delivery);
    EXPECT_EQ(preview.toAdd[1].trade.kind, TradeKind::Intraday);
    EXPECT_EQ(preview.toAdd[2].trade.kind, TradeKind::Intraday);
    EXPECT_EQ(preview.toAdd[2].trade.brokerId, 7);
    ASSERT_EQ(preview.intraday.size(), 1u);
    EXPECT_EQ(preview.intraday[0].symbol, "SBIN");
    ASSERT_EQ(preview.refused.size(), 2u);
    EXPECT_EQ(preview.refused[0].line, 6);
    EXPECT_NE(preview.refused[0].reason.find("where 0 are held"), std::string::npos);
    EXPECT_EQ(preview.refused[1].line, 7);

    // The same file again, with its trades stored: nothing new.
    std::vector<Trade> all = {stored, old};
    for (const TradebookRow &r : preview.toAdd)
        all.push_back(r.trade);
    const ImportPreview again = previewImport(readTradebook(text, "tb.csv"), all, 7);
    EXPECT_TRUE(again.toAdd.empty());
    EXPECT_EQ(again.alreadyHeld.size(), 5u); // the repeated line too, this time
}

TEST(ImportPreview, ASaleMayUseStoredLotsAndEarlierBuysOfTheFile)
{
    const std::string text = Header + row("INFY", "2025-05-02", "sell", "15", "1600", "2") +
                             row("INFY", "2025-05-01", "buy", "5", "1500", "1");
    const ImportPreview preview = previewImport(
        readTradebook(text, "tb.csv"), {trade(TradeSide::Buy, "INFY", 10, 1400, "", 1)}, 1);
    EXPECT_EQ(preview.toAdd.size(), 2u);
    EXPECT_TRUE(preview.refused.empty());
}

TEST(ChargeSchedule, PricesATradeByTheStatutoryRatesInForceOnItsDate)
{
    BrokerSchedule broker;
    broker.delivery = {0, 0, 0};
    broker.intraday = {0.03, 0, 20};
    broker.dpCharge = 15.34;
    Trade buy = trade(TradeSide::Buy, "INFY", 100, 1000, "2025-01-02", 1); // 1,00,000
    const TradeCharges c = scheduledCharges(buy, broker, statutoryRates2024());
    EXPECT_DOUBLE_EQ(c.stt, 100);
    EXPECT_DOUBLE_EQ(c.exchangeCharge, 2.97);
    EXPECT_DOUBLE_EQ(c.sebiFee, 0.10);
    EXPECT_DOUBLE_EQ(c.stampDuty, 15);
    EXPECT_DOUBLE_EQ(c.gst, 0.55); // 18% of 3.07
    EXPECT_NEAR(c.total, 118.62, 1e-9);

    Trade sell = buy;
    sell.side = TradeSide::Sell;
    sell.kind = TradeKind::Intraday;
    sell.exchange = "BSE";
    const TradeCharges s = scheduledCharges(sell, broker, statutoryRates2024());
    EXPECT_DOUBLE_EQ(s.brokerage, 20); // 0.03% is 30, capped
    EXPECT_DOUBLE_EQ(s.stt, 25);
    EXPECT_DOUBLE_EQ(s.exchangeCharge, 3.75);
    EXPECT_DOUBLE_EQ(s.stampDuty, 0);

    broker.delivery = {0.01, 25, 0};
    EXPECT_DOUBLE_EQ(scheduledCharges(buy, broker, statutoryRates2024()).brokerage, 25);

    StatutoryRates older = statutoryRates2024();
    older.effectiveFrom = "2020-07-01";
    older.exchangeNse = 0.00325;
    const ChargeCalendar calendar({statutoryRates2024(), older});
    EXPECT_EQ(calendar.inForceOn("2024-09-30").exchangeNse, 0.00325);
    EXPECT_EQ(calendar.inForceOn("2024-10-01").exchangeNse, 0.00297);
    EXPECT_EQ(calendar.inForceOn("2019-01-01").exchangeNse, 0.00325);
    EXPECT_EQ(calendar.inForceOn("").exchangeNse, 0.00297);
}

TEST(ChargeSchedule, TheDpChargeIsOncePerCompanyPerDaySoldFromDelivery)
{
    TradePricing pricing;
    BrokerSchedule broker;
    broker.dpCharge = 15;
    pricing.schedules[1] = broker;
    pricing.brokers = {BrokerEntry{2, "Old Way", {}}};
    pricing.brokers[0].rates[DeliverySellBrokerage] = 0.5;
    std::vector<Trade> trades = {trade(TradeSide::Sell, "INFY", 1, 100, "2025-01-02", 1),
                                 trade(TradeSide::Sell, "INFY", 1, 100, "2025-01-02", 2),
                                 trade(TradeSide::Sell, "TCS", 1, 100, "2025-01-02", 3),
                                 trade(TradeSide::Sell, "INFY", 1, 100, "2025-01-03", 4),
                                 trade(TradeSide::Sell, "INFY", 1, 100, "2025-01-03", 5)};
    for (Trade &t : trades)
        t.brokerId = 1;
    trades[4].brokerId = 2;
    trades.push_back(trades[0]);
    trades.back().kind = TradeKind::Intraday;
    const std::vector<TradeCharges> charges = priceTrades(trades, pricing);
    const std::vector<double> dp = {15, 0, 15, 15, 0, 0};
    for (std::size_t i = 0; i < dp.size(); ++i)
        EXPECT_EQ(charges[i].dpCharge, dp[i]) << i;
    EXPECT_DOUBLE_EQ(charges[4].brokerage, 0.5); // priced the old way
}

TEST(TradeLedger, ListsEachSaleWithItsResultAndFiltersBySymbolAndYear)
{
    std::vector<Trade> trades = {trade(TradeSide::Sell, "INFY", 5, 120, "2026-01-03", 3),
                                 trade(TradeSide::Buy, "INFY", 10, 100, "2025-12-30", 1),
                                 trade(TradeSide::Buy, "TCS", 1, 3000, "", 2)};
    const std::vector<TradeLine> lines = tradeLines(trades, TradePricing{});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].trade.symbol, "TCS"); // undated first
    ASSERT_TRUE(lines[2].result.has_value());
    EXPECT_DOUBLE_EQ(lines[2].result->profit, 100);
    EXPECT_FALSE(lines[1].result.has_value());
    EXPECT_EQ(tradeYears(lines), (std::vector<int>{2026, 2025}));
    EXPECT_EQ(filterLines(lines, "infy", 0).size(), 2u);
    EXPECT_EQ(filterLines(lines, "", 2025).size(), 1u);
    EXPECT_TRUE(filterLines(lines, "TCS", 2025).empty()); // an unknown date is in no year
}

TEST(SaleForm, RefusesMoreThanIsHeldAndDatesOffTheCalendar)
{
    const SaleHolding holding{"Infosys Limited", "NSE", "INFY", TradeKind::Delivery, 10};
    EXPECT_FALSE(saleRefusal(holding, {10, 1500, "2024-02-29", 1}).has_value());
    EXPECT_TRUE(saleRefusal(holding, {11, 1500, "2024-02-29", 1}).has_value());
    EXPECT_TRUE(saleRefusal(holding, {0, 1500, "2024-02-29", 1}).has_value());
    EXPECT_TRUE(saleRefusal(holding, {5, 0, "2024-02-29", 1}).has_value());
    for (const char *bad : {"2025-02-29", "2025-04-31", "2025-4-01", "01-04-2025", "1900-02-29"})
        EXPECT_TRUE(saleRefusal(holding, {5, 1500, bad, 1}).has_value()) << bad;
    const Trade sale = saleTrade(holding, {5, 1500.5, "2026-01-02", 3});
    EXPECT_EQ(sale.side, TradeSide::Sell);
    EXPECT_EQ(sale.brokerId, 3);
    EXPECT_EQ(sale.source, TypedSource);
}
