#include "core/backfilltext.h"
#include "core/barbuilder.h"
#include "core/feedtext.h"

#include <gtest/gtest.h>

namespace {
std::vector<FeedRecord> feed(const std::string &text)
{
    std::vector<FeedRecord> records;
    std::string error;
    EXPECT_TRUE(parseFeedText(text, records, error)) << text << ": " << error;
    return records;
}

std::vector<Bar> backfill(const std::string &text)
{
    std::vector<Bar> bars;
    std::string error;
    EXPECT_TRUE(parseBackfillText(text, bars, error)) << text << ": " << error;
    return bars;
}
} // namespace

TEST(FeedText, ReadsBothVolumeFormsSkipsEmptyRecordsAndReadsTheStockList)
{
    const auto r = feed("NIFTY,24550.10,24560.35,0*SENSEX,80120.00,80150.50,0*ACC,1850.00,"
                        "1852.40,1200,*M&M,2900.5,2899,-40,");
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(
        std::tuple(r[0].symbol, r[0].previous, r[1].last, r[2].volume, r[3].symbol, r[3].volume),
        std::tuple("NIFTY", 24550.10, 80150.50, 1200, "M&M", -40));
    // No NIFTY yet, and the first cycle with no previous values at all.
    EXPECT_EQ(feed("*SENSEX,80120.00,80150.50,0").size(), 1u);
    EXPECT_TRUE(feed("").empty());

    // The stock list: a trailing comma, repeats, and malformed names that leave the list alone.
    std::vector<std::string> symbols;
    std::string error;
    ASSERT_TRUE(parseStockList("ACC,INFOSYSTCH,NIFTY,SENSEX,ACC,", symbols, error));
    EXPECT_EQ(symbols, (std::vector<std::string>{"ACC", "INFOSYSTCH", "NIFTY", "SENSEX"}));
    ASSERT_TRUE(parseStockList("", symbols, error));
    EXPECT_TRUE(symbols.empty());
    symbols = {"KEEP"};
    for (const char *bad : {"ACC,,NIFTY,", "ACC,NI FTY,", "ACC*NIFTY,", ","})
        EXPECT_FALSE(parseStockList(bad, symbols, error)) << bad;
    EXPECT_EQ(symbols, std::vector<std::string>{"KEEP"});
}

TEST(FeedText, MalformedRecordsRejectTheWholeTextAndFarMoreThanACycleIsTooLarge)
{
    std::vector<FeedRecord> records{{"KEEP", 1, 2, 3}};
    // The last, a price too large for a double, would be read as 0: a quote "not available".
    for (const std::string &bad : std::initializer_list<std::string>{
             "ACC,1850.00,1852.40", "ACC,1850.00,1852.40,1200,,", "ACC,1,850.00,1852.40,0",
             "ACC,1850.00,-1852.40,0", ",1850.00,1852.40,0", "A C C,1850.00,1852.40,0",
             "ACC,1e3,1852.40,0", "ACC,1850..0,1852.40,0", "ACC,1850.00,1852.40,12x,",
             "NIFTY,1,2,0*ACC;1850.00;1852.40;0", "ACC,1850.00," + std::string(400, '9') + ",0"}) {
        std::string error;
        EXPECT_FALSE(parseFeedText(bad, records, error) || error.empty()) << bad;
    }
    EXPECT_EQ(records.size(), 1u) << "a rejected text leaves the caller's records alone";

    // A cycle carries a watch list and two indices; far more records or bytes are refused unread.
    std::string cycle = "NIFTY,24550.10,24560.35,0*SENSEX,80120.00,80150.50,0";
    for (int k = 0; k < 42; ++k)
        cycle += "*STOCK" + std::to_string(k) + ",1850.00,1852.40,1200,";
    EXPECT_FALSE(feedTooLarge(cycle));
    EXPECT_TRUE(feedTooLarge(std::string(MaxFeedRecords, '*')));
}

// The text does not say the bars' size; their spacing does, and a night between two days
// must not widen it.
TEST(BackfillText, ReadsServiceLinesIntoSortedBarsSizedByTheirSpacingAndRefusesBadOnes)
{
    // As the link hands them over: each line followed by "*", line ends possibly kept. The
    // two lines of minute ...300 (one stamped mid-minute) are one bar, the later line's.
    EXPECT_EQ(backfill("1796469360,101.50,102.00,100.50,101.00,300\r*"
                       "1796469300,101.00,101.20,100.00,100.20,500*"
                       "*1796469330,99.00,99.00,99.00,99.00,0*"),
              (std::vector<Bar>{{1796469300, 99.00, 99.00, 99.00, 99.00, 0},
                                {1796469360, 101.00, 102.00, 100.50, 101.50, 300}}));

    const std::int64_t day = 1796428800, at1030 = day + (10 * 60 + 30) * 60;
    std::string fiveDays;
    for (const std::int64_t t : {at1030 - 300, at1030, at1030 + 300, day + 86400 + 555 * 60})
        fiveDays += std::to_string(t) + ",100,101,99,100,10*";
    for (const Bar &bar : backfill(fiveDays))
        EXPECT_EQ(bar.minutes, 5) << bar.time;
    EXPECT_EQ(backfill(std::to_string(at1030) + ",100,101,99,100,10*").at(0).minutes, 1);
    // Day bars with a weekend between them are a day long, not three.
    const std::string first = std::to_string(day - 86400) + ",100,101,99,100,10*";
    EXPECT_EQ(backfill(first + std::to_string(day + 2 * 86400) + ",1,1,1,1,1*")[0].minutes, 1440);

    // A malformed or impossible bar rejects the whole text.
    const std::string good = "1796469300,101.00,101.20,100.00,100.20,500*";
    std::vector<Bar> bars{Bar{1, 1, 1, 1, 1, 1}};
    for (const std::string bad :
         {"1796469300,101.00,101.20,100.00,100.20*", "1796469300,101.00,101.20,100.00,100.20,5,6*",
          "uri:/instrument/1.0/ACC.NS/chartdata;type=quote;range=1d/csv/*",
          "values:Timestamp,close,high,low,open,volume*",
          "1796469300,101.00,100.90,100.00,100.20,5*", "1796469300,101.00,101.20,100.50,100.20,5*",
          "1796469300,0,0,0,0,0*", "1796469300,101.00,101.20,100.00,100.20,-5*",
          "-60,101.00,101.20,100.00,100.20,5*", "1796469300.5,101.00,101.20,100.00,100.20,5*",
          "\x01\xff garbage"}) {
        std::string error;
        EXPECT_FALSE(parseBackfillText(good + bad, bars, error) || error.empty()) << bad;
    }
    EXPECT_EQ(bars.size(), 1u);
}

TEST(BarBuilder, FeedRecordsOpenAndStretchTheMinutesBar)
{
    const std::int64_t minute = 1796469300;
    Bar bar = feedBar(std::nullopt, {"ACC", 100.0, 101.5, 200}, minute);
    EXPECT_EQ(bar, (Bar{minute, 100.0, 101.5, 100.0, 101.5, 200}));
    bar = feedBar(bar, {"ACC", 101.5, 99.0, 50}, minute);
    EXPECT_EQ(bar, (Bar{minute, 100.0, 101.5, 99.0, 99.0, 250}));
    bar = feedBar(bar, {"ACC", 99.0, 100.0, -7}, minute);
    EXPECT_EQ(bar, (Bar{minute, 100.0, 101.5, 99.0, 100.0, 250}));
    // No previous price yet: the bar opens where it stands.
    EXPECT_EQ(feedBar(std::nullopt, {"ACC", 0, 50.0, 0}, 60), (Bar{60, 50.0, 50.0, 50.0, 50.0, 0}));
    EXPECT_FALSE(carriesPrice({"ACC", 10.0, 0, 5}));
}
