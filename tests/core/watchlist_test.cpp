#include "core/watch/watchlist.h"
#include "core/watch/watchsort.h"
#include "support/memorywatchlist.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

namespace {
using namespace watchcol;

WatchRow stock(const std::string &symbol, const std::string &exchange = "NSE")
{
    return WatchRow{symbol + " Limited", exchange, symbol};
}

QuoteRecord &quoteOf(WatchList &list, std::size_t i)
{
    const WatchRow &e = list.entries()[i];
    return *list.quoteTarget(i, e.symbol + (e.exchange == "NSE" ? ".NS" : ".BO"));
}

struct Fixture : ::testing::Test
{
    MemoryWatchList store;
    RecordingMessenger messenger;
    WatchList list{store, messenger};

    void add(std::initializer_list<const char *> symbols)
    {
        for (const char *s : symbols)
            ASSERT_TRUE(list.addEntry(stock(s)));
    }
    std::vector<std::string> order() const
    {
        std::vector<std::string> out;
        for (const WatchRow &e : list.entries())
            out.push_back(e.symbol);
        return out;
    }
    const WatchListRow &row(std::size_t i) const { return list.rows()[i]; }
};

using Rows = Fixture;
using Sorting = Fixture;
using Editing = Fixture;
} // namespace

TEST_F(Rows, CellTextsUseTheDisplayFormat)
{
    list.addEntry(WatchRow{"Larsen, Toubro & Co's", "NSE", "LT", 1, 3000, 4200.5});
    QuoteRecord &q = quoteOf(list, 0);
    q.last = 12345678.9;
    q.change = -1234.5f;
    q.volume = 1234567;
    list.rebuildRows();
    EXPECT_EQ(row(0).cell(Name), "Larsen, Toubro & Co's");
    EXPECT_EQ(row(0).cell(Price), "1,23,45,678.90");
    EXPECT_EQ(row(0).cell(Change), "-1,234.50");
    EXPECT_EQ(row(0).cell(Percent), "-0.01");
    EXPECT_EQ(row(0).cell(Volume), "12,34,567") << "volumes drop their decimals";
    EXPECT_EQ(row(0).cell(Alert), "1.00");
    EXPECT_EQ(row(0).cell(UpperLimit), "4,200.50");

    list.takePrevious();
    list.rebuildRows();
    EXPECT_EQ(row(0).cell(PrevVolume), "12,34,567.00") << "unlike Volume, PrevVolume keeps them";
    EXPECT_EQ(row(0).cell(PrevTaken), "1.00");
    EXPECT_EQ(row(0).cell(PrevPrice), "1,23,45,678.90");
}

TEST_F(Rows, PriceIsColouredAgainstThePreviousRefresh)
{
    add({"INFY"});
    QuoteRecord &q = quoteOf(list, 0);
    const auto priceColours = [&] {
        list.rebuildRows();
        return watchCellColours(row(0), Price, list.switches());
    };
    q.last = 1500;
    EXPECT_EQ(priceColours().background, colours::Black) << "no previous price yet";
    EXPECT_EQ(priceColours().text, colours::White);
    list.takePrevious();
    q.last = 1500.004; // the same text, so the same price
    EXPECT_EQ(priceColours().background, colours::Blue);
    q.last = 1499;
    EXPECT_EQ(priceColours().background, colours::Down);
    q.last = 1501;
    EXPECT_EQ(priceColours().background, colours::Up);
    EXPECT_EQ(priceColours().text, colours::Black);

    for (float change : {2.5f, 0.0f, -2.5f}) {
        q.change = change;
        list.rebuildRows();
        const Rgb expected = change > 0 ? colours::DarkGreen : change == 0 ? colours::Blue : colours::Red;
        EXPECT_EQ(watchCellColours(row(0), Change, list.switches()).text, expected);
        EXPECT_EQ(watchCellColours(row(0), Percent, list.switches()).text, expected);
        EXPECT_EQ(watchCellColours(row(0), Percent, list.switches()).background, colours::White);
    }
}

TEST_F(Rows, RangesAndLimitsColourTheirCellsOnlyWhileSwitchedOn)
{
    list.addEntry(WatchRow{"Tata Steel", "BSE", "500470", 1, 100, 120});
    QuoteRecord &q = quoteOf(list, 0);
    const auto background = [&](int column) {
        list.rebuildRows();
        return watchCellColours(row(0), column, list.switches()).background;
    };
    q.last = 120; // exactly at the upper limit
    EXPECT_EQ(background(Name), colours::Up);
    EXPECT_EQ(background(Indx), colours::Up);
    q.last = 100;
    EXPECT_EQ(background(Name), colours::Down);
    q.last = 110;
    EXPECT_EQ(background(Name), colours::White);
    q.last = 99;
    list.switches().myConfigured = false;
    EXPECT_EQ(background(Name), colours::White);

    q.low = 99;
    q.high = 105;
    q.change = -1;
    EXPECT_EQ(background(Volume), colours::Down) << "at the day's low and falling";
    EXPECT_EQ(background(Open), colours::Down);
    q.change = 1;
    EXPECT_EQ(background(Volume), colours::White) << "at the low but rising";
    q.last = 105;
    EXPECT_EQ(background(Open), colours::Up);
    list.switches().dayHighLow = false;
    EXPECT_EQ(background(Open), colours::White);

    q.yearLow = 80;
    q.yearHigh = 104;
    EXPECT_EQ(background(High), colours::White) << "YEAR Hi/Lo starts off";
    list.switches().yearHighLow = true;
    EXPECT_EQ(background(High), colours::Up);
    EXPECT_EQ(background(Low), colours::Up);
    q.last = 80;
    EXPECT_EQ(background(Low), colours::Down);
    EXPECT_EQ(watchCellColours(row(0), Percent + 10, list.switches()).background, colours::White);
}

TEST_F(Sorting, PricesCloserThanAPaisaAreEqualAndVolumesAreIntegers)
{
    add({"A", "B", "C", "D"});
    const double prices[] = {100.004, 99.5, 100.001, 100.02};
    const int volumes[] = {900000, 1000000, 85, 999};
    for (std::size_t i = 0; i < 4; ++i) {
        quoteOf(list, i).last = prices[i];
        quoteOf(list, i).volume = volumes[i];
    }
    list.rebuildRows();
    EXPECT_EQ(*watchSortKey(row(0), row(2), Price), 0);
    ASSERT_TRUE(list.sortBy(Price, false));
    EXPECT_EQ(order(), (std::vector<std::string>{"B", "A", "C", "D"})) << "A and C keep their order";
    EXPECT_FALSE(list.sortAscending()) << "the next click on any column reverses";
    ASSERT_TRUE(list.sortBy(Volume, false));
    EXPECT_EQ(order(), (std::vector<std::string>{"B", "A", "D", "C"})) << "10,00,000 above 9,00,000";
    EXPECT_EQ(quoteOf(list, 0).last, 99.5) << "each stock keeps its own quote";
    EXPECT_EQ(store.rows.front().symbol, "B") << "the new order is in the table";
    ASSERT_TRUE(list.sortBy(Name, false));
    EXPECT_EQ(order(), (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST_F(Sorting, RefusedWhileLoggingOrFeedingAndHiddenColumnsHaveNoKey)
{
    add({"B", "A"});
    list.switches().intraday = true;
    EXPECT_FALSE(list.sortBy(Name, false));
    EXPECT_EQ(messenger.shown.back(), WatchList::LoggingSortMessage);
    list.switches().intraday = false;
    list.switches().liveData = true;
    EXPECT_FALSE(list.sortBy(Name, false));
    EXPECT_EQ(messenger.count(WatchList::LoggingSortMessage), 2);
    list.switches().liveData = false;
    EXPECT_FALSE(list.sortBy(Name, true));
    EXPECT_EQ(messenger.shown.back(), WatchList::FeedingSortMessage);
    EXPECT_FALSE(list.sortBy(YearHigh, false));
    EXPECT_EQ(messenger.shown.size(), 3u);
    EXPECT_EQ(order(), (std::vector<std::string>{"B", "A"}));
    EXPECT_TRUE(list.sortAscending()) << "a refusal does not turn the direction";
}

TEST_F(Editing, AddButtonStopsAt42AndAddEntryAt50)
{
    for (int i = 0; i < 42; ++i)
        ASSERT_TRUE(list.addEntry(stock("S" + std::to_string(i))));
    EXPECT_FALSE(list.mayAdd(false));
    EXPECT_EQ(messenger.shown.back(), WatchList::AddButtonFullMessage);
    EXPECT_FALSE(list.mayAdd(true));
    EXPECT_EQ(messenger.shown.back(), WatchList::FeedingAddMessage);
    for (int i = 42; i < 50; ++i)
        ASSERT_TRUE(list.addEntry(stock("S" + std::to_string(i)))) << "the toppers panel fills up to 50";
    EXPECT_FALSE(list.addEntry(stock("ONEMORE")));
    EXPECT_EQ(messenger.shown.back(), WatchList::FullMessage);
    EXPECT_EQ(store.rows.size(), 50u);
}

TEST_F(Editing, SymbolsAloneDecideDuplicates)
{
    ASSERT_TRUE(list.addEntry(WatchRow{"Infosys", "NSE", "INFY", 0, 5, 9}));
    EXPECT_EQ(store.rows[0].lowerLimit, 0) << "limits without an alert are not kept";
    EXPECT_FALSE(list.addEntry(WatchRow{"Infosys BSE", "BSE", "INFY"}));
    EXPECT_EQ(messenger.shown.back(), WatchList::DuplicateMessage);
    EXPECT_FALSE(list.addEntry(WatchRow{"", "NSE", "NONAME"}));
    EXPECT_EQ(messenger.shown.size(), 1u) << "an empty name is ignored without a word";
    EXPECT_EQ(list.count(), 1u);
}

TEST_F(Editing, DeleteClosesUpAndEachStockKeepsItsValues)
{
    add({"A", "B", "C", "D"});
    for (std::size_t i = 0; i < 4; ++i)
        quoteOf(list, i).last = 10.0 * double(i + 1);
    list.takePrevious();
    EXPECT_FALSE(list.removeRows({}, false));
    EXPECT_EQ(messenger.shown.back(), WatchList::NoDeleteSelection);
    EXPECT_FALSE(list.removeRows({1}, true));
    EXPECT_EQ(messenger.shown.back(), WatchList::FeedingDeleteMessage);
    ASSERT_TRUE(list.removeRows({2, 0}, false));
    EXPECT_EQ(order(), (std::vector<std::string>{"B", "D"}));
    EXPECT_EQ(list.quotes()[1].last, 40);
    EXPECT_EQ(list.previous()[1].price, 40);
    EXPECT_EQ(store.rows.size(), 2u);
    // A reply to a request made before the delete still finds its stock by symbol.
    EXPECT_EQ(list.quoteTarget(3, "D.NS"), &quoteOf(list, 1));
    EXPECT_EQ(list.quoteTarget(0, "A.NS"), nullptr);
}

TEST_F(Editing, AFailedSaveIsShownKeptInMemoryAndWrittenAtExit)
{
    store.failure = "database is locked";
    ASSERT_TRUE(list.addEntry(stock("INFY")));
    EXPECT_EQ(messenger.shown.back(), "database is locked");
    EXPECT_EQ(list.count(), 1u);
    EXPECT_TRUE(list.unsaved());
    store.failure.clear();
    list.saveUnsaved();
    EXPECT_EQ(store.rows.size(), 1u);
    const int saves = store.saves;
    list.saveUnsaved();
    EXPECT_EQ(store.saves, saves) << "nothing left to write";

    EXPECT_TRUE(list.setAlert("INFY", 1, 1400, 1600));
    EXPECT_EQ(store.rows[0], (WatchRow{"INFY Limited", "NSE", "INFY", 1, 1400, 1600}));
    EXPECT_FALSE(list.setAlert("TCS", 1, 1, 2));
}

TEST_F(Editing, AListThatCouldNotBeReadIsNeverWrittenOver)
{
    store.rows = {stock("INFY"), stock("TCS")};
    store.loadFailure = "no such table: SelectedComp2Watch";
    list.load();
    EXPECT_EQ(messenger.shown.back(), store.loadFailure);
    ASSERT_TRUE(list.addEntry(stock("WIPRO")));
    EXPECT_EQ(store.saves, 0);
    EXPECT_EQ(store.rows.size(), 2u);
}
