#include "core/toppers/toppersexport.h"
#include "core/toppers/toppersscan.h"
#include "core/toppers/topperswatch.h"
#include "support/memorywatchlist.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace {
using namespace topperscol;
using std::tie, std::tuple;
using Batches = std::vector<ToppersBatch>;
using Strings = std::vector<std::string>;

std::vector<CompanyRow> companies(int n)
{
    std::vector<CompanyRow> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(
            {"Company " + std::to_string(i), "N" + std::to_string(i), std::to_string(500000 + i)});
    return rows;
}

std::string line(const std::string &symbol, double last, double change, long volume)
{
    std::ostringstream s;
    s << '"' << symbol << "\"," << last << ",\"12/4/2026\",\"3:30pm\"," << change << ',' << last
      << ',' << last << ',' << last << ',' << volume;
    return s.str();
}

ToppersRow row(const char *name, double price, float percent, std::int32_t volume = 0,
               double turnover = 0, double high = 0, double low = 0)
{
    ToppersRow r;
    tie(r.companyName, r.price, r.percent, r.volume, r.turnover, r.high, r.low) =
        tuple(name, price, percent, volume, turnover, high, low);
    return r;
}

Strings names(const std::vector<ToppersRow> &rows)
{
    Strings out;
    for (const ToppersRow &r : rows)
        out.push_back(r.companyName);
    return out;
}
} // namespace

// Extra lines, in the last batch or one before it, never land in other companies' places; a new
// sweep forgets the quotes of the last one, so a failed batch lists nothing. The status says
// success only when every company came back priced; whole failures are in the fault matrix.
TEST(ToppersScan, BatchesCoverTheExchangeRepliesStayInTheirRangeAndTheStatusTellsTheRest)
{
    EXPECT_TRUE(cutToppersBatches(0, Exchange::Bse).empty());

    ToppersScan scan;
    std::vector<CompanyRow> listed = companies(201);
    listed[200].bseName = "M&M #1+%";
    Batches batches = scan.start(Exchange::Bse, listed);
    ASSERT_EQ(batches, (Batches{{0, 199}, {200, 200}}));
    EXPECT_EQ(scan.batchUrl("http://q", batches[1]),
              "http://q/d/quotes.csv?s=M%26M%20%231%2B%25.BO&f=sl1d1t1c1ohgv");

    EXPECT_FALSE(scan.batchDone(
        batches[1], {line("X.BO", 50, 5, 10), line("Y.BO", 60, 1, 1), line("Z.BO", 70, 1, 1)}));
    EXPECT_TRUE(scan.running());
    Strings overlong(201);
    overlong[0] = line("A.BO", 10, 1, 5);
    overlong[1] = "\x01garbage,,\"";
    overlong[200] = line("B.BO", 99, 1, 5);
    EXPECT_TRUE(scan.batchDone(batches[0], overlong));
    const std::vector<ToppersRow> rows = scan.rows(ToppersFilters{});
    EXPECT_EQ(names(rows), (Strings{"Company 0", "Company 200"}));
    EXPECT_EQ(tie(rows[1].symbol, rows[1].turnover), tuple("M&M #1+%", 500));

    const Batches again = scan.start(Exchange::Bse, listed);
    EXPECT_FALSE(scan.batchDone(again[0], {}));
    EXPECT_TRUE(scan.batchDone(again[1], {}));
    EXPECT_TRUE(scan.rows(ToppersFilters{}).empty());

    listed = companies(301);
    auto answer = [](const ToppersBatch &b) {
        Strings lines;
        for (int i = b.first; i <= b.last; ++i)
            lines.push_back(line("N" + std::to_string(i) + ".NS", 100 + i, 1, 10));
        return lines;
    };
    const auto status = [](const ToppersOutcome &o) {
        return tuple(toppersstatus::text(o), toppersstatus::problem(o));
    };
    batches = scan.start(Exchange::Nse, listed);
    for (const ToppersBatch &b : batches)
        scan.batchDone(b, answer(b));
    EXPECT_EQ(status(scan.outcome()), tuple(toppersstatus::Completed, ""));

    // One request lost: its 150 companies are missing, and the status says so.
    batches = scan.start(Exchange::Nse, listed);
    scan.batchDone(batches[0], answer(batches[0]));
    scan.batchFailed(batches[1], "");
    scan.batchDone(batches[2], answer(batches[2]));
    EXPECT_EQ(
        status(scan.outcome()),
        tuple("Data Retrieval Incomplete!!!\n151 of 301 companies answered\n1 of 3 requests failed",
              "150 of 301 companies are not listed: 1 of 3 requests to the quote service failed "
              "(no reply)."));
    scan.start(Exchange::Nse, listed);
    scan.batchFailed(batches[0], "Internal Server Error");
    EXPECT_NE(toppersstatus::problem(scan.outcome()).find("(Internal Server Error)."),
              std::string::npos);
}

TEST(ToppersFilters, LimitsIncludeTheirEndsAndPriceZeroIsNeverListed)
{
    const tuple<double, float, std::int32_t, bool> cases[] = {
        {100, 1, 1000000000, true}, {100, 1, 1000000001, false}, {0, -5, 100, false},
        {20000, 10, 5, true},       {20000.01f, 10, 5, false},   {400, 300, 5, true}, // +300 %
        {401, 301, 5, false},                                                         // above 300 %
        {0.5, 0.5f, 5, false}}; // no close before
    for (const auto &[last, change, volume, listed] : cases) {
        QuoteRecord q;
        tie(q.last, q.change, q.volume) = tie(last, change, volume);
        EXPECT_EQ(ToppersFilters{}.passes(q), listed) << last << ' ' << change;
    }
    ToppersFilters narrow;
    narrow.volumeMin = 10;
    narrow.gainMin = 5;
    QuoteRecord q{"X.NS", 110, "", "", 10};
    q.volume = 10;
    EXPECT_TRUE(narrow.passes(q));
    EXPECT_EQ(toppersCellText(makeToppersRow("X", "X", q), Percent), "10.00");
    q.volume = 9;
    EXPECT_FALSE(narrow.passes(q));

    // The first bad edit is told; it and the ones after it keep their limits.
    RecordingMessenger messenger;
    ToppersFilters f;
    EXPECT_EQ(toppersfilter::read({"250", "-50", "20001", "10", "x", "5"}, f, messenger),
              toppersfilter::PriceMax);
    EXPECT_EQ(messenger.shown, Strings{"Please enter a number between 1 and 20000."});
    EXPECT_EQ(tie(f.gainMax, f.gainMin, f.priceMax, f.priceMin), tuple(250, -50, 20000, 0));
    EXPECT_EQ(toppersfilter::read({"300", "-100", "20000", "1.5", "abc", "0"}, f, messenger),
              toppersfilter::VolumeMax);
    EXPECT_EQ(messenger.shown.back(), "Please enter an integer.");
    EXPECT_EQ(f.priceMin, 1.5f);
    EXPECT_EQ(toppersfilter::texts(f),
              (toppersfilter::Texts{"300", "-100", "20000", "1.5", "1000000000", "0"}));
    EXPECT_EQ(toppersfilter::read(toppersfilter::texts(ToppersFilters{}), f, messenger),
              toppersfilter::Count);
}

TEST(ToppersRows, SortsLargestFirstWithinEachColumnsResolution)
{
    std::vector<ToppersRow> rows{row("a", 1, 0.995f, 5), row("b", 1, 1.012f, 7),
                                 row("c", 1, -3.0f, 9),  row("d", 1, 1.010f, 6),
                                 row("e", 1, 1.011f, 9), row("n/a", 1, 0, 99)};
    rows.back().missing = quotefield::Change | quotefield::Volume;
    // b, d and e are within 0.01 and keep their order; N/A below any loss; sorting is stable.
    for (int twice = 0; twice < 2; ++twice) {
        ASSERT_TRUE(sortToppers(rows, Percent));
        EXPECT_EQ(names(rows), (Strings{"b", "d", "e", "a", "c", "n/a"}));
    }
    EXPECT_EQ(toppersCellText(rows.back(), Percent), "N/A");
    ASSERT_TRUE(sortToppers(rows, Volume));
    EXPECT_EQ(names(rows), (Strings{"e", "c", "b", "d", "a", "n/a"}));
    EXPECT_FALSE(sortToppers(rows, High));

    std::vector<ToppersRow> money{row("x", 1, 0, 0, 1000), row("y", 1, 0, 0, 1999.9),
                                  row("z", 1, 0, 0, 3000)};
    ASSERT_TRUE(sortToppers(money, Turnover)); // x and y are within 1000 of each other
    EXPECT_EQ(names(money), (Strings{"z", "x", "y"}));
}

TEST(ToppersRows, CellsAndColoursFollowTheShownValues)
{
    ToppersRow r = row("Big", 1234567.891, 0.004f, 1234567, 1234.56, 1234567.89, 1000);
    EXPECT_EQ(
        tuple(toppersCellText(r, Price), toppersCellText(r, Volume), toppersCellText(r, Turnover)),
        tuple("12,34,567.89", "12,34,567", "1,234"));

    using namespace colours;
    const tuple<double, double, double, float, Rgb, Rgb> cases[] = {
        {100, 100.004, 90, 0.004f, Blue, White},   // shows 0.00: unchanged
        {100, 100.004, 90, 0.006f, DarkGreen, Up}, // at the day's high, shown
        {100, 101, 90, 2, DarkGreen, White},
        {90, 101, 90.001, -1, Red, Red}, // at the day's low, shown
        {90, 101, 89, -1, Red, White}};
    for (const auto &[price, high, low, percent, priceText, highBack] : cases) {
        const ToppersRow t = row("x", price, percent, 0, 0, high, low);
        EXPECT_EQ(tuple(toppersCellColours(t, Price).text, toppersCellColours(t, Percent).text,
                        toppersCellColours(t, High).background,
                        toppersCellColours(t, Low).background, toppersCellColours(t, Low).text,
                        toppersCellColours(t, Volume).text),
                  tuple(priceText, priceText, highBack, highBack, Black, Black))
            << price << ' ' << percent;
    }
}

// The file it goes to and the message: the panels test.
TEST(ToppersExport, ShownFiguresWithTheCloseWorkedBack)
{
    ToppersRow r = row("Tata, Sons", 110, 10, 1234567, 135802370, 1234.5, 99.999);
    r.open = 100;
    EXPECT_EQ(toppersexport::content({r, row("Z", 0.5, -2)}),
              "CompanyName,Last Close,Current Price,Change,% Change,Volume,Turnover,Open,High,Low\n"
              "Tata Sons,99.00,110.00,11.00,10.00,1234567,135802370,100.00,1234.50,100.00\n"
              "Z,0.51,0.50,-0.01,-2.00,0,0,0.00,0.00,0.00\n");
}

// With the watch list closed, straight into its table by its rules (open: the panels test).
TEST(ToppersWatch, WithTheListClosedStraightIntoTheTable)
{
    MemoryWatchList table;
    RecordingMessenger messenger;
    table.rows = {{"Infosys Limited", "NSE", "INFY"}};
    topperswatch::add(nullptr, table, messenger, WatchRow{"Infosys", "BSE", "INFY"});
    EXPECT_EQ(messenger.shown, Strings{topperswatch::Duplicate});
    const WatchRow tcs{"TCS", "BSE", "532540"};
    topperswatch::add(nullptr, table, messenger, tcs);
    EXPECT_EQ(table.rows.back(), tcs);
    table.rows.resize(50, WatchRow{"Filler", "NSE", "FILL"});
    topperswatch::add(nullptr, table, messenger, WatchRow{"New", "NSE", "NEW"});
    EXPECT_EQ(messenger.shown.back(), topperswatch::Full);
    EXPECT_EQ(table.rows.size(), 50u);
    table.loadFailure = "driver says no";
    topperswatch::add(nullptr, table, messenger, WatchRow{"New", "NSE", "NEW"});
    EXPECT_EQ(messenger.shown.back(), "driver says no");
}
