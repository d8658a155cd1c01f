#include "core/watch/logstamps.h"
#include "core/watch/watchalerts.h"
#include "core/watch/watchexport.h"
#include "core/watch/watchlist.h"
#include "watchbed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace {
using namespace watchcol;
using std::tuple;
using Symbols = std::vector<std::string>;

struct WatchListTest : ::testing::Test, WatchBed
{
    void add(std::initializer_list<const char *> symbols)
    {
        for (const char *s : symbols)
            ASSERT_EQ(list.addEntry(WatchRow{std::string(s) + " Limited", "NSE", s}),
                      AddOutcome::Added);
    }
    // A quote as the service sends one: dated, so it counts for the next refresh.
    QuoteRecord &quote(std::size_t i, double last)
    {
        QuoteRecord &q = *list.quoteTarget(i, list.quoteSymbols()[i]);
        q.date = "12/4/2026";
        q.last = last;
        return q;
    }
    Symbols order() const
    {
        Symbols out;
        for (const WatchedStock &s : list.stocks())
            out.push_back(s.entry.symbol);
        return out;
    }
};
} // namespace

TEST_F(WatchListTest, SortDeleteAndAddKeepTheirRulesAndAChangeThatCannotBeStoredIsNotMade)
{
    add({"A", "B", "C", "D"});
    const double prices[] = {100.004, 99.5, 100.001, 100.02};
    const int volumes[] = {900000, 1000000, 85, 999};
    for (std::size_t i = 0; i < 4; ++i)
        quote(i, prices[i]).volume = volumes[i];
    ASSERT_TRUE(list.sortBy(Price, false));
    EXPECT_EQ(order(), (Symbols{"B", "A", "C", "D"})) << "closer than a paisa, A and C keep order";
    ASSERT_TRUE(list.sortBy(Volume, false)); // the second click on any header reverses
    // 10,00,000 above 9,00,000; each stock keeps its own quote; the new order is in the table.
    EXPECT_EQ(tuple(order(), list.stocks()[0].quote.last, store.rows.front().symbol),
              tuple(Symbols{"B", "A", "D", "C"}, 99.5, "B"));

    list.switches().liveData = true;
    EXPECT_FALSE(list.sortBy(Name, false));
    list.switches().liveData = false;
    EXPECT_FALSE(list.sortBy(Count, false)) << "no such column, no key";
    ASSERT_TRUE(list.sortBy(Name, false));
    EXPECT_EQ(tuple(order(), messenger.shown),
              tuple(Symbols{"A", "B", "C", "D"}, Symbols{WatchList::LoggingSortMessage}))
        << "refusals did not turn the direction";

    for (std::size_t i = 0; i < 4; ++i)
        quote(i, 10.0 * double(i + 1));
    list.takePrevious(); // the next refresh judges the prices against these
    list.startRefresh();
    EXPECT_FALSE(list.removeRows({1}, true));
    EXPECT_EQ(messenger.shown.back(), WatchList::FeedingDeleteMessage);
    ASSERT_TRUE(list.removeRows({2, 0}, false));
    EXPECT_EQ(tuple(order(), list.stocks()[1].previous.price, store.rows.size()),
              tuple(Symbols{"B", "D"}, 40, 2u));
    // A reply to a request made before the delete still finds its stock by symbol.
    EXPECT_EQ(tuple(list.quoteTarget(3, "D.NS"), list.quoteTarget(0, "A.NS")),
              tuple(&list.stocks()[1].quote, nullptr));

    ASSERT_TRUE(list.setAlert("D", 1, 10, 20));
    store.failure = "attempt to write a readonly database";
    const auto state = [this] {
        std::string out;
        for (const WatchedStock &s : list.stocks())
            out += s.entry.symbol + ':' + std::to_string(s.entry.alert) + ' ';
        return out;
    };
    const std::string stored = state();
    const auto refused = [&](bool done, const char *what) {
        EXPECT_FALSE(done) << what;
        EXPECT_EQ(messenger.shown.back(), store.failure) << what;
        EXPECT_EQ(state(), stored) << what;
    };
    const AddOutcome added = list.addEntry(WatchRow{"C Limited", "NSE", "C"});
    refused(added != AddOutcome::NotStored, "add");
    refused(list.removeRows({0}, false), "delete");
    refused(list.sortBy(Name, false), "sort");
    refused(list.setAlert("D", 0, 0, 0), "alert");

    store.failure.clear();
    ASSERT_TRUE(list.sortBy(Name, false));
    EXPECT_EQ(order(), (Symbols{"D", "B"})) << "the refused sort did not turn the direction";

    messenger.shown.clear();
    ASSERT_EQ(list.addEntry(WatchRow{"Infosys", "NSE", "INFY", 0, 5, 9}), AddOutcome::Added);
    EXPECT_EQ(store.rows.back().lowerLimit, 0) << "limits without an alert are not kept";
    EXPECT_NE(list.addEntry(WatchRow{"Infosys BSE", "BSE", "INFY"}), AddOutcome::Added);
    EXPECT_NE(list.addEntry(WatchRow{"", "NSE", "NONAME"}), AddOutcome::Added);
    EXPECT_EQ(messenger.shown, Symbols{WatchList::DuplicateMessage})
        << "an empty name is ignored without a word";
    for (int i = 3; i < 50; ++i) // the toppers go on past the Add button's stop at 42
        ASSERT_EQ(list.addEntry(WatchRow{"Company", "NSE", "S" + std::to_string(i)}),
                  AddOutcome::Added);
    EXPECT_NE(list.addEntry(WatchRow{"Company", "NSE", "ONEMORE"}), AddOutcome::Added);
    EXPECT_EQ(tuple(messenger.shown.back(), store.rows.size()), tuple(WatchList::FullMessage, 50u));

    // A table that could not be read is never written over.
    MemoryWatchList unread;
    unread.loadFailure = "no such table: SelectedComp2Watch";
    WatchList other(unread, messenger);
    other.load();
    EXPECT_EQ(messenger.shown.back(), unread.loadFailure);
    EXPECT_EQ((tuple{other.addEntry(WatchRow{"Wipro", "NSE", "WIPRO"}), unread.saves}),
              tuple(AddOutcome::Added, 0));
}

// The edges the simulated day below never reaches.
TEST(WatchAlerts, AtMidnightAndNoonAndNoneToSay)
{
    EXPECT_EQ(formatAlertTime(makeLocalTime(2027, 1, 10, 0, 5, 0)),
              "Sunday, January 10, 2027 ::  12:05:00 AM");
    EXPECT_EQ(formatAlertTime(makeLocalTime(2026, 6, 1, 12, 0, 0)),
              "Monday, June 01, 2026 ::  12:00:00 PM");
    const auto row = [](double last, int alert) {
        QuoteRecord q;
        q.last = last;
        return WatchedStock{WatchRow{"Inside", "NSE", "SYM", alert, 1000, 1200}, q, {}, {}};
    };
    EXPECT_EQ(evaluateAlerts({row(1100, 1), row(1, 0)}, true, makeLocalTime(2026, 12, 4, 15, 7, 9)),
              "");
}

namespace {
// A Friday of edge values: all the user sees of it, as the program showed it before its rows
// held numbers (cells and colours, alerts, writer problems, data files, the export).
struct WatchDay : WatchBed
{
    struct Quote
    {
        double last, change, open, high, low;
        std::int32_t volume;
        double yearLow, yearHigh;
    };
    std::string out;

    WatchDay()
    {
        for (const WatchRow &row : {
                 WatchRow{"Larsen, Toubro & Co's", "NSE", "LT", 1, 3000, 4200.5},
                 WatchRow{"Near Equal", "NSE", "NEAR", 1, 99.996, 200},
                 WatchRow{"Falling Star", "NSE", "FALL", 1, 8765.4, 9000},
                 WatchRow{"No Quote", "NSE", "NOQ", 1, 0, 0},
                 WatchRow{"Big Volume", "NSE", "BIGV", 1, 500, 1000000},
                 WatchRow{"Reliance", "BSE", "500325", 1, 2000, 2450.754},
                 WatchRow{"Penny", "NSE", "PENNY"},
                 WatchRow{"Tata Steel", "BSE", "500470"},
             })
            list.addEntry(row);
        list.switches() = WatchSwitches{true, true, true, false, true, true};
    }

    void quotes(double nifty, double sensex, const std::vector<Quote> &stocks)
    {
        for (auto [slot, symbol, last] : {std::tuple{0, "^NSEI", nifty}, {1, "^BSESN", sensex}}) {
            QuoteRecord &index = *board.quoteTarget(slot, symbol);
            index.last = last;
            index.date = "12/4/2026";
        }
        const std::vector<std::string> symbols = list.quoteSymbols();
        for (std::size_t i = 0; i < stocks.size(); ++i) {
            QuoteRecord &q = *list.quoteTarget(i, symbols[i]);
            const Quote &v = stocks[i];
            std::tie(q.last, q.open, q.high, q.low, q.volume, q.yearLow, q.yearHigh) =
                std::tie(v.last, v.open, v.high, v.low, v.volume, v.yearLow, v.yearHigh);
            q.change = static_cast<float>(v.change);
            q.date = v.last != 0 ? "12/4/2026" : "";
        }
    }

    void refresh(int hour, int minute, int second)
    {
        at(hour, minute, second);
        const WatchRefreshReport report = refreshAll();
        out += "== refresh " + logstamp::time(clock.now()) + "\n";
        for (const std::string &problem : report.problems)
            out += "problem: " + problem + "\n";
        out += "alert: " + report.alert + "\n";
        for (const WatchedStock &stock : list.stocks()) {
            for (int column = 0; column < watchcol::Count; ++column) {
                const CellColours c = watchCellColours(stock, column, list.switches());
                char colours[16];
                std::snprintf(colours, sizeof colours, "%02x%02x%02x/%02x%02x%02x", c.background.r,
                              c.background.g, c.background.b, c.text.r, c.text.g, c.text.b);
                out += watchCellText(stock, column) + " " + colours + "|";
            }
            out += "\n";
        }
    }

    void dumpFiles()
    {
        namespace fs = std::filesystem;
        std::vector<fs::path> paths;
        for (const auto &entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        for (const fs::path &path : paths)
            out += "== file " + fs::relative(path, root).generic_string() + "\n" +
                   read(fs::relative(path, root).string());
    }
};
} // namespace

TEST(WatchDay, EveryResultOfASimulatedDayStaysAsItWas)
{
    WatchDay day;
    using Q = WatchDay::Quote;
    day.quotes(
        24000.004, 80000.5,
        {Q{12345678.9, -1234.5, 12340000, 12346000, 12345678.9, 1234567, 9000000, 12345678.9},
         Q{100.004, 0.004, 100, 100.004, 99.9, 85, 80, 100.001},
         Q{8765.4, -1234.5, 9999.9, 9999.9, 8765.4, 2000000000, 8765.4, 12000}, Q{},
         Q{1000000, 12.345, 999990, 1000000.004, 999000, 2147483647, 0, 0},
         Q{2450.75, 0, 2450, 2451, 2449, 77, 2000, 3000},
         Q{0.004, 0.001, 0.004, 0.005, 0.003, 10, 0, 0}, Q{0, -3, 0, 0, 0, 0, 0, 0}});
    day.refresh(10, 0, 0);
    day.quotes(
        24000.001, 79990.25,
        {Q{12345678.9, -1234.5, 12340000, 12346000, 12345678.9, 1234999, 9000000, 12345678.9},
         Q{100.001, 0.001, 100, 100.004, 99.9, 90, 80, 100.001},
         Q{8765.39, -1234.51, 9999.9, 9999.9, 8765.39, 2000000001, 8765.39, 12000}, Q{},
         Q{1000000.006, 12.35, 999990, 1000000.004, 999000, 2147483647, 0, 0},
         Q{2450.76, 0.01, 2450, 2451, 2449, 80, 2000, 3000},
         Q{0.006, 0.003, 0.004, 0.006, 0.003, 12, 0, 0}, Q{0, -3, 0, 0, 0, 0, 0, 0}});
    day.list.switches().yearHighLow = true;
    day.refresh(10, 5, 7);
    day.out += "== export\n" + watchexport::content(day.list.stocks());
    WatchSwitches &switches = day.list.switches();
    switches.myConfigured = switches.dayHighLow = false;
    day.refresh(15, 45, 0);
    switches.myConfigured = switches.dayHighLow = true;
    day.refresh(16, 0, 0);
    day.dumpFiles();

    static const std::string expected =
#include "fixtures/watch/day.inc"
        ;
    if (const char *path = std::getenv("VANTREL_WRITE_GOLDEN"))
        std::ofstream(path, std::ios::binary) << "R\"golden(" << day.out << ")golden\"\n";
    EXPECT_EQ(day.out, expected);
}
