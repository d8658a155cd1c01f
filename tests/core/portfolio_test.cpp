#include "core/net/displayformat.h"
#include "core/net/quoteorigin.h"
#include "core/portfolio/brokerbook.h"
#include "core/portfolio/charges.h"
#include "core/portfolio/holdingcells.h"
#include "core/portfolio/holdingform.h"
#include "core/portfolio/portfolio.h"
#include "core/portfolio/portfolioexport.h"
#include "core/portfolio/profitcalculator.h"
#include "support/memoryprofile.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <tuple>

namespace {
using std::tie, std::tuple;
using Strings = std::vector<std::string>;
constexpr TradeKind Delivery = TradeKind::Delivery;
constexpr TradeKind Intraday = TradeKind::Intraday;

// A row as the list shows it, from its index to its net result in percent.
std::string cells(const HoldingRow &row)
{
    std::string out;
    for (int column = holdingcol::Index; column <= holdingcol::NetProfitLossPercent; ++column)
        out += (column == holdingcol::Index ? "" : " ") + holdingCellText(row, column);
    return out;
}

ProfileLot lot(const std::string &symbol, double price, long quantity, long broker = 1,
               int type = 0, const std::string &exchange = "NSE")
{
    return ProfileLot{symbol + " Ltd", exchange, symbol, type, price, quantity, broker};
}

BrokerEntry broker(long id, const std::string &name, std::array<double, 4> buy = {},
                   std::array<double, 4> sell = {})
{
    BrokerEntry b{id, name, {}};
    std::copy(buy.begin(), buy.end(), b.rates.begin() + DeliveryBuyBrokerage);
    std::copy(sell.begin(), sell.end(), b.rates.begin() + DeliverySellBrokerage);
    return b;
}

// The broker table in memory; trades name the brokers whose ids are in `used`.
struct MemoryBrokers : BrokerStore
{
    std::vector<BrokerEntry> rows;
    std::set<long> used;
    StoreResult<std::vector<BrokerEntry>> loadAll() override { return rows; }
    StoreResult<std::optional<BrokerEntry>> findByName(std::string_view name) override
    {
        const auto found = std::ranges::find(rows, name, &BrokerEntry::name);
        return found == rows.end() ? std::nullopt : std::optional(*found);
    }
    StoreStatus insert(const BrokerEntry &entry) override
    {
        rows.push_back(entry);
        rows.back().id = long(rows.size());
        return storeOk();
    }
    StoreResult<bool> update(long, const BrokerEntry &) override { return StoreError{"unused"}; }
    StoreResult<bool> removeUnused(long id) override
    {
        return !used.contains(id) && std::erase_if(rows, [id](auto &b) { return b.id == id; });
    }
};

struct PortfolioTest : ::testing::Test
{
    MemoryProfile store;
    RecordingMessenger messenger;
    Portfolio portfolio{store, messenger};
    std::vector<BrokerEntry> brokers{broker(1, "Plain Broker")};

    void open(std::vector<ProfileLot> lots)
    {
        store.rows = std::move(lots);
        portfolio.load();
        portfolio.buildSymbolTable();
    }
    QuoteRecord &quote(const std::string &quoteSymbol, double last, float change = 0)
    {
        const Strings symbols = portfolio.quoteSymbols();
        const auto at = std::ranges::find(symbols, quoteSymbol) - symbols.begin();
        QuoteRecord &q = *portfolio.quoteTarget(std::size_t(at), quoteSymbol);
        q.last = last;
        q.change = change;
        return q;
    }
    Strings refresh() { return portfolio.refresh(brokers); }
    const HoldingRow &row(TradeKind kind, std::size_t i) { return portfolio.list(kind).rows.at(i); }
    Strings lotTexts(TradeKind kind)
    {
        Strings out;
        for (const HeldLot &held : portfolio.lots(kind))
            out.push_back(held.lot.symbol + "@" + formatDisplay(held.lot.price));
        return out;
    }
};
} // namespace

TEST(Charges, MinimumBrokerageIsForTheExactNameAndOnlyWhenBrokerageIsCharged)
{
    const tuple<const char *, double, long, double> cases[] = {
        {"ICICI Direct", 0.75, 1, 128.09}, // 25 and the tax on 25, not per share
        {"ICICI DIRECT", 0.75, 1, 100.84}, // 0.75 + 0.0927
        {"ICICI Direct", 0, 1, 100},       // nothing charged, no minimum
        {"ICICI Direct", 0.75, 2, 228.09},
        {"ICICI Direct", 0.75, 40, 4033.71}, // 30.00 is above the minimum
    };
    for (const auto &[name, brokerage, quantity, costPlusCharges] : cases) {
        const std::vector<BrokerEntry> brokers{broker(7, name, {brokerage, 12.36, 0, 0})};
        const RowValuation v = valueRow(double(quantity), 100, 0, pricingOf(brokers, 7, Delivery));
        EXPECT_EQ(shown(v.costPlusCharges), costPlusCharges) << name << " x" << quantity;
        EXPECT_EQ(v.sell.total, 0) << "no quote: the sell side costs nothing";
    }
    // Half a paisa of transaction tax is a paisa.
    EXPECT_EQ(sideCharges(100, 1, {0, 0, 0.125, 0}, false).transactionTax, 0.13);
}

TEST_F(PortfolioTest, LotsOfOneSymbolMakeOneRowPricedByTheFirstLot)
{
    // An unknown broker id must not borrow anybody's rates. Intraday rows merge symbols
    // whatever their case; delivery rows, and quotes, do not.
    brokers = {broker(2, "Costly", {5, 10, 1, 1}, {5, 10, 1, 1}), broker(1, "Plain Broker")};
    open({lot("A", 50, 100, 1), lot("B", 10, 5, 99, 0, "BSE"), lot("A", 60, 300, 2, 0, "BSE"),
          lot("a", 1, 1), lot("a", 10, 1, 1, 1), lot("A", 20, 1, 1, 1)});
    EXPECT_EQ(portfolio.quoteSymbols(), (Strings{"A.NS", "B.BO", "a.NS"})) << "one quote for A";
    quote("A.NS", 62.5, 2.5).origin = parseQuoteOrigins("eod;end-of-day;1796464800;0").at(0);
    refresh();
    // The row keeps its price's origin through the lots merged into it.
    EXPECT_EQ(quoteOriginTip(row(Delivery, 0).origin), "Close of 05-Dec-2026 via end of day");
    // Broker 1 charges nothing: the cost is the price paid, the sale quantity x market price;
    // the change is 2.5 of 60.00.
    EXPECT_EQ(cells(row(Delivery, 0)),
              "NSE A 1 400 57.50 62.50 4.17 23,000.00 25,000.00 2,000.00 8.70");
    // The merged intraday row is priced by its first lot, whose quote has not come.
    EXPECT_EQ(tie(row(Delivery, 1).costPlusCharges, row(Intraday, 0).quantity,
                  row(Intraday, 0).marketPrice),
              tuple(50, 2, 0));
}

TEST_F(PortfolioTest, ARowWithNewBrokerRatesToThePaisa)
{
    brokers = {newBroker()};
    brokers[0].id = 3;
    open({lot("TCS", 230, 50, 3), lot("TCS", 250, 50, 3), lot("TCS", 230, 50, 3, 1),
          lot("TCS", 250, 50, 3, 1), lot("NOQ", 10, 10, 3)});
    quote("TCS.NS", 262.4, 2.4);
    refresh();
    // Without a quote a row has its cost (100 + 0.75 + 0.0093 x 10 + 0.13) and nothing more.
    EXPECT_EQ(tuple(cells(row(Delivery, 0)), cells(row(Intraday, 0)), cells(row(Delivery, 1))),
              tuple("NSE TCS 3 100 240.00 262.40 0.92 24,232.25 25,753.83 1,753.83 7.31",
                    "NSE TCS 3 100 240.00 262.40 0.92 24,202.25 26,031.19 2,031.19 8.46",
                    "NSE NOQ 3 10 10.00 0.00 0.00 100.97 0.00 0.00 0.00"));
    const HoldingTotals &totals = portfolio.list(Delivery).totals;
    EXPECT_EQ(
        tuple(shown(totals.valueAtCost), shown(totals.valueAtMarket), shown(totals.unrealized)),
        tuple(24333.22, 25753.83, 1753.83));
}

// One past each threshold warns; at it, nothing. The lots of a kind have a limit too.
TEST_F(PortfolioTest, WarningsAboveTheRowAndSymbolThresholdsAndNoAddAboveTheLotLimit)
{
    for (const int over : {0, 1}) {
        std::vector<ProfileLot> lots;
        for (int i = 0; i < 40 + over; ++i)
            lots.push_back(lot("D" + std::to_string(i), 1, 1));
        for (int i = 0; i < 10 + over; ++i)
            lots.push_back(lot("I" + std::to_string(i), 1, 1, 1, 1));
        messenger.shown.clear();
        open(lots);
        const Strings warned{Portfolio::ManyDeliveryRows, Portfolio::ManyIntradayRows};
        EXPECT_EQ(refresh(), over ? warned : Strings{});
        EXPECT_EQ(messenger.count(Portfolio::ManySymbols), over);
    }

    std::vector<ProfileLot> lots(150, lot("A", 1, 1));
    open(lots);
    EXPECT_TRUE(portfolio.mayAdd(Delivery));
    lots.push_back(lot("A", 1, 1));
    lots.insert(lots.end(), 61, lot("B", 1, 1, 1, 1));
    open(lots);
    messenger.shown.clear();
    EXPECT_EQ(tuple(portfolio.mayAdd(Delivery), portfolio.mayAdd(Intraday)), tuple(false, false));
    EXPECT_EQ(messenger.shown, (Strings{Portfolio::LotsFull, Portfolio::LotsFull}));
    lots.pop_back();
    open(lots);
    EXPECT_TRUE(portfolio.mayAdd(Intraday));
}

TEST_F(PortfolioTest, QuotesGoToTheirSymbolsOnlyChangesAreStoredFirstAndAFailedStoreChangesNothing)
{
    open({lot("A", 10, 1), lot("B", 20, 2), lot("A", 11, 1), lot("A", 12, 1, 1, 1)});
    int arrived = 0;
    portfolio.setOnArrived([&] { ++arrived; });
    portfolio.quotesArrived();
    // Entry 1 is B now.
    EXPECT_EQ(tuple(portfolio.quoteTarget(1, "A.NS"), portfolio.quoteTarget(2, "B.NS"), arrived),
              tuple(nullptr, nullptr, 1));
    quote("A.NS", std::numeric_limits<double>::quiet_NaN(), 1);
    quote("B.NS", 22, std::numeric_limits<float>::infinity());
    refresh();
    EXPECT_EQ(tuple(row(Delivery, 0).netProfitLoss, row(Delivery, 1).changePercent,
                    portfolio.lots(Delivery)[1].change, row(Delivery, 1).netProfitLoss),
              tuple(0, 0, 0, 4));

    quote("A.NS", 15);
    ASSERT_TRUE(
        portfolio.editStock({"A Ltd", "NSE", "A", 2, Delivery, {{13, 3}, {14, 4}, {15, 5}}}));
    EXPECT_EQ(lotTexts(Delivery), (Strings{"A@13.00", "B@20.00", "A@14.00", "A@15.00"}));
    EXPECT_EQ(tuple(store.rows[2], store.rows[2].brokerId),
              tuple(portfolio.lots(Delivery)[2].lot, 2))
        << "the table holds what is shown";
    refresh();
    EXPECT_EQ(row(Delivery, 0).marketPrice, 15) << "the quote outlived the rebuilt table";

    ASSERT_TRUE(portfolio.editStock({"A Ltd", "NSE", "A", 2, Delivery, {{9, 1}}}));
    EXPECT_EQ(lotTexts(Delivery), (Strings{"A@9.00", "B@20.00"}));
    ASSERT_TRUE(portfolio.addStock({"C Ltd", "BSE", "C", 1, Delivery, {{5, 5}}}));
    EXPECT_EQ(portfolio.quoteSymbols(), (Strings{"A.NS", "B.NS", "C.BO"}));
    ASSERT_TRUE(portfolio.deleteStock(Delivery, "A"));
    EXPECT_EQ(lotTexts(Delivery), (Strings{"B@20.00", "C@5.00"}));
    EXPECT_EQ(lotTexts(Intraday), (Strings{"A@12.00"})) << "the intraday holding stays";
    EXPECT_EQ(portfolio.quoteSymbols().front(), "A.NS") << "kept until the next add or edit";
    EXPECT_TRUE(messenger.shown.empty());

    // A failing store changes nothing.
    const std::vector<ProfileLot> table = store.rows;
    const Strings symbols = portfolio.quoteSymbols();
    store.failure = "database is locked";
    EXPECT_FALSE(portfolio.addStock({"D Ltd", "NSE", "D", 1, Delivery, {{5, 5}}}));
    EXPECT_FALSE(portfolio.editStock({"B Ltd", "NSE", "B", 1, Delivery, {{9, 9}}}));
    EXPECT_FALSE(portfolio.deleteStock(Delivery, "B"));
    EXPECT_EQ(tuple(messenger.count(store.failure), lotTexts(Delivery), lotTexts(Intraday),
                    portfolio.quoteSymbols(), store.rows),
              tuple(3, Strings{"B@20.00", "C@5.00"}, Strings{"A@12.00"}, symbols, table));
    store.loadFailure = "no such table: PROFILELIST";
    portfolio.load();
    EXPECT_EQ(messenger.shown.back(), store.loadFailure);
    EXPECT_TRUE(portfolio.lots(Delivery).empty());
}

TEST(HoldingCells, ColoursFollowTheSignAsShownAndHiddenColumnsCarryTheKeys)
{
    HoldingRow row{"Infosys Limited", "NSE", "INFY", 7, 1234567, 57.5, 0, -0.004, 0, 0, 12.5, 1};
    EXPECT_EQ(holdingCellText(row, holdingcol::Quantity), "12,34,567");
    // A change that shows as 0.00 is no change, whatever its sign underneath.
    EXPECT_EQ(holdingCellColour(row, holdingcol::MarketPrice), colours::Blue);
    EXPECT_EQ(holdingCellColour(row, holdingcol::NetProfitLossPercent), colours::DarkGreen);
    row.netProfitLoss = -0.005;
    EXPECT_EQ(holdingCellColour(row, holdingcol::NetProfitLoss), colours::Red);
    EXPECT_EQ(holdingCellColour(row, holdingcol::CostPlusCharges), colours::Black);
}

TEST(PortfolioExport, SectionsOnlyForListsWithRowsAndTotalsWithoutGrouping)
{
    const HoldingList delivery = HoldingList({{"Larsen, Toubro", "NSE", "LT", 1, 400, 57.5, 62.126,
                                               4.1666, 23000, 25000, 1999.996, -0.006}},
                                             {123456.78, 0, -1234567.5});
    const HoldingList intraday =
        HoldingList({{"Infosys", "BSE", "INFY", 2, 2, 10, 0, 0, 20.5, 0, 0, 0}}, {20.5, 0, 0});
    const std::string header = "Stock Name,Index,Quantity,Average CP,Market Price,%Change,"
                               "Cost Price+Brkrge,You'll get,Net Profit/Loss,Net %P/L\n";
    const std::string intradaySection = "\n\nINTRADAY STOCKS\n\n" + header +
                                        "Infosys,BSE,2,10.00,0.00,0.00,20.50,0.00,0.00,0.00\n"
                                        "\nTotal Cost Price,20.50"
                                        "\nOn selling all now you'll get,0.00"
                                        "\nNet Profit/Loss after deducting all Brokerage,0.00";
    EXPECT_EQ(portfolioexport::content(delivery, intraday),
              "My PROFILE for Current Stocks in My Hand\n\nDELIVERY STOCKS\n\n" + header +
                  "Larsen, Toubro,NSE,400,57.50,62.13,4.17,23000.00,25000.00,2000.00,-0.01\n"
                  "\nTotal Cost Price,123456.78"
                  "\nOn selling all now you'll get,0.00"
                  "\nNet Profit/Loss after deducting all Brokerage,-1234567.50" +
                  intradaySection);
    EXPECT_EQ(portfolioexport::content({}, intraday),
              "My PROFILE for Current Stocks in My Hand" + intradaySection);
}

// A name is stored trimmed, once, in at most 255 characters; a used broker stays.
TEST(BrokerBook, NamesAreTrimmedUniqueAndShortAndOnlyUnusedBrokersGo)
{
    MemoryBrokers store;
    RecordingMessenger messenger;
    BrokerBook book(store, messenger);
    std::string accented;
    for (int i = 0; i < 255; ++i)
        accented += "\u00e9";
    ASSERT_TRUE(book.save(std::nullopt, broker(0, " Shah\t")));
    ASSERT_TRUE(book.save(std::nullopt, broker(0, accented)));
    const tuple<std::string, std::string> refused[] = {
        {" Shah ", BrokerBook::duplicateMessage("Shah")},
        {" \t ", BrokerBook::BlankNameMessage},
        {std::string(256, 'b'), BrokerBook::LongNameMessage}};
    for (const auto &[name, message] : refused) {
        EXPECT_FALSE(book.save(std::nullopt, broker(0, name))) << name;
        EXPECT_EQ(messenger.shown.back(), message);
    }

    store.used = {1};
    messenger.shown.clear();
    EXPECT_FALSE(book.remove(0));
    EXPECT_FALSE(book.remove(2));
    ASSERT_TRUE(book.remove(1));
    EXPECT_EQ(messenger.shown,
              (Strings{BrokerBook::InUseMessage, BrokerBook::NothingToDeleteMessage}));
    EXPECT_EQ(book.brokers(), (std::vector{broker(1, "Shah")}));
}

// A lot needs a company found on the exchange chosen; lots are capped, deleting one keeps the
// prices as shown, and Ok needs a lot and a broker.
TEST(HoldingForm, LotsNeedACompanyAndAreCappedAndOkNeedsALotAndABroker)
{
    RecordingMessenger messenger;
    HoldingForm form{HoldingEntryRequest{}, messenger};
    // Braced, so the calls and their messages come in order.
    EXPECT_EQ((tuple{form.maySearch("ta"), form.maySearch("tat"), form.mayAddLot()}),
              tuple(false, true, false));
    // Before a search the exchange just changes.
    EXPECT_FALSE(form.chooseExchange(Exchange::Bse));
    EXPECT_EQ(messenger.shown,
              (Strings{HoldingForm::ShortSearchMessage, HoldingForm::NoCompanyMessage}));

    form.companyFound("Tata Steel Limited", "500470");
    ASSERT_TRUE(form.mayAddLot());
    form.addLot({101.5, 10});
    EXPECT_FALSE(form.chooseExchange(Exchange::Bse)) << "the exchange it already has";
    EXPECT_TRUE(form.chooseExchange(Exchange::Nse));
    EXPECT_EQ(messenger.shown.back(), HoldingForm::ExchangeChangedMessage);
    EXPECT_TRUE(form.lots().empty());
    EXPECT_EQ(tuple(form.companyName(), form.symbol()), tuple("", ""));

    messenger.shown.clear();
    form.companyFound("Infosys Limited", "INFY");
    for (std::size_t k = 0; k < HoldingForm::MaximumLots; ++k)
        form.addLot({10.004 + double(k), long(k + 1)});
    EXPECT_FALSE(form.mayAddLot());
    EXPECT_FALSE(form.deleteLot(-1));
    EXPECT_FALSE(form.mayEditLot(int(HoldingForm::MaximumLots)));
    EXPECT_EQ(messenger.shown,
              (Strings{HoldingForm::LotsFullMessage, HoldingForm::NoLotToDeleteMessage,
                       HoldingForm::NoLotToEditMessage}));
    ASSERT_TRUE(form.deleteLot(0));
    EXPECT_EQ(form.lots().front(), (LotValues{11.0, 2}));
    EXPECT_TRUE(form.mayAddLot());

    messenger.shown.clear();
    HoldingForm edit({"Tata Power Company Limited", "BSE", "500400", 7, true, TradeKind::Intraday},
                     messenger);
    EXPECT_FALSE(edit.accept(7).has_value());
    edit.addLot({250, 4});
    EXPECT_FALSE(edit.accept(std::nullopt).has_value());
    EXPECT_EQ(messenger.shown, (Strings{HoldingForm::NoLotsMessage, HoldingForm::NoBrokerMessage}));
    const auto entry = edit.accept(3);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(tie(entry->exchange, entry->kind), tuple("BSE", TradeKind::Intraday));
    EXPECT_FALSE(HoldingForm::lotAcceptable({5, 0}, messenger));
    EXPECT_EQ(messenger.count(HoldingForm::ZeroLotMessage), 1);
}

TEST(ProfitCalculator, BothQuestions)
{
    const ProfitCalculator free{TradeRates{}};
    // A + G / Q, (S - A) x Q, and no quantity.
    EXPECT_EQ(tuple(free.sellingPriceFor(100, 50, 250), free.profitLossAt(100, 50, 45.5),
                    free.sellingPriceFor(0, 50, 250)),
              tuple("52.50", "-450.00", "0.00"));
    // Sell-side rates above 100% (100, its 10% tax, 10) leave a negative price; the buy side's
    // transaction tax on the whole trade is rounded to the paisa (1.224 is 1.22).
    TradeRates steep;
    steep.sell.brokerage = 100;
    steep.sell.serviceTax = 10;
    steep.sell.transactionTax = 10;
    steep.buy.transactionTax = 0.1224;
    EXPECT_EQ(ProfitCalculator(steep).sellingPriceFor(10, 100, 0), "-500.61");
}
