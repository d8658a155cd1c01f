#include "core/controls/exportname.h"
#include "core/controls/fieldcheck.h"
#include "core/market/indexboardlist.h"
#include "core/net/displayformat.h"
#include "core/net/quoteparser.h"
#include "core/ticker/bandscroll.h"
#include "core/ticker/tickertext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

// 00:05:09, 12:00:00 and blank names are checked on the export name dialog.
TEST(ExportName, AfternoonHoursOnTheTwelveHourDialAndTabsAreBlank)
{
    EXPECT_EQ(defaultExportName(makeLocalTime(2008, 6, 27, 15, 59, 7)), "27-06-2008_03-59-07PM");
    EXPECT_EQ(acceptExportName("   \t ").problem, ExportNameMissing);
}

// Every export (watch list, portfolio, toppers) writes through exportfile::write: a name is
// one file in the export's folder or nothing is written.
TEST(ExportName, OnlyAPlainFileNameWithinTheDialogsLengthIsWritten)
{
    const std::string devanagari25 = [] {
        std::string s;
        for (int i = 0; i < 25; ++i)
            s += "\u0936"; // three bytes, one character
        return s;
    }();
    for (const std::string &plain : {std::string("my list"), std::string("..hidden"),
                                     std::string("a.b.c"), std::string(25, 'x'), devanagari25}) {
        EXPECT_EQ(acceptExportName(plain).problem, "") << plain;
    }
    for (const std::string &escaping :
         {std::string("../../escaped_wl"), std::string(".."), std::string(" . "),
          std::string("a/b"), std::string("/etc"), std::string("a\\b"), std::string("in\tside"),
          std::string("line\nbreak"), std::string("nul\0x", 5), std::string("del\x7f"),
          std::string("c1\xc2\x85"), std::string(26, 'x'), devanagari25 + "x"}) {
        const ExportNameAnswer answer = acceptExportName(escaping);
        EXPECT_EQ(answer.problem, exportfile::NameNotPlain) << escaping;
        EXPECT_EQ(answer.name, "");
    }

    // The writer holds to the same rule whoever calls it.
    const fs::path root =
        fs::temp_directory_path() / ("vantrel-names-" + std::to_string(std::random_device{}()));
    const std::string folder = (root / "a" / "WatchListData").string();
    StdDataFileSystem files;
    EXPECT_EQ(exportfile::write(files, folder, "../../escaped", "x\n", "done "),
              exportfile::NameNotPlain);
    EXPECT_EQ(exportfile::write(files, folder, "", "x\n", "done "), ExportNameMissing);
    EXPECT_FALSE(fs::exists(root));
    EXPECT_EQ(exportfile::write(files, folder, "kept", "x\n", "done ", "NSE_"),
              "done " + folder + "/NSE_kept.csv");
    EXPECT_TRUE(fs::exists(root / "a" / "WatchListData" / "NSE_kept.csv"));
    fs::remove_all(root);
}

TEST(FieldCheck, NumberEditsTakeTheWholeTextWithinTheirRange)
{
    struct Case
    {
        const char *text;
        std::optional<double> value;
        const char *message;
    };
    const char *const notNumber = "Please enter a number.";
    const char *const range = "Please enter a number between 0 and 99999.";
    for (const Case &c : std::initializer_list<Case>{{" 12.5\t", 12.5, ""},
                                                     {".5", 0.5, ""},
                                                     {"1e3", 1000, ""},
                                                     {"99999", 99999, ""},
                                                     {"", {}, notNumber},
                                                     {"12a", {}, notNumber},
                                                     {"1,200", {}, notNumber},
                                                     {"-", {}, notNumber},
                                                     {"nan", {}, notNumber},
                                                     {"-0.01", {}, range},
                                                     {"99999.001", {}, range},
                                                     {"1e400", {}, range}}) {
        const FieldValue<double> taken = takeNumber(c.text, 0, 99999);
        EXPECT_EQ(taken.value, c.value) << c.text;
        EXPECT_EQ(taken.message, c.message) << c.text;
    }
    EXPECT_EQ(numberRangeMessage(0, 0.125), "Please enter a number between 0 and 0.125.");

    EXPECT_EQ(takeInteger(" 250 ", 0, 999999).value, 250);
    EXPECT_EQ(takeInteger("2.5", 0, 999999).message, "Please enter an integer.");
    EXPECT_EQ(takeInteger("99999999999999999999", 0, 999999).message, "Please enter an integer.");
    EXPECT_EQ(takeInteger("1000000", 0, 999999).message,
              "Please enter an integer between 0 and 999999.");
    EXPECT_EQ(takeInteger("-1", 0, 999999).message,
              "Please enter an integer between 0 and 999999.");
}

TEST(IndexLists, RowsStartAtZeroAndFollowTheirRecords)
{
    IndexQuotes q({indextables::Nse.begin(), indextables::Nse.end()},
                  {indextables::Bse.begin(), indextables::Bse.end()});
    ASSERT_EQ(q.quoteSymbols().size(), 22u);
    const auto before = q.lowerRows();
    ASSERT_EQ(before.size(), 16u);
    EXPECT_EQ(IndexColumns::text(before[0], 2, false), "0.00");
    EXPECT_EQ(IndexColumns::text(before[0], 3, false), "");

    parseQuoteLine("\"^NSEBANK\",12345.60,\"12/4/2026\",\"3:30pm\",-12.50,1,2,3,4,5,6",
                   *q.quoteTarget(4, "^NSEBANK"));
    const IndexRow bank = q.upperRows()[4];
    EXPECT_EQ(bank.name, "BANK NIFTY");
    EXPECT_EQ(IndexColumns::text(bank, 2, false), "12,345.60");
    EXPECT_EQ(IndexColumns::textColour(2, bank.change), colours::Red);
    // A change too small to show reads as the 0.00 the list shows: blue, not green.
    EXPECT_EQ(IndexColumns::textColour(5, 0.004), colours::Blue);
    EXPECT_EQ(IndexColumns::textColour(4, 1234), colours::DarkGreen);
    EXPECT_EQ(IndexColumns::textColour(6, -5), colours::Black);
}

TEST(Ticker, NseStocksInListOrderColouredByTheSignOfTheirChange)
{
    std::vector<WatchedStock> stocks(4);
    const char *lines[] = {
        "\"TCS.NS\",3500.25,\"12/4/2026\",\"3:30pm\",-12.5,1,2,3,4,5,6",
        "\"500325.BO\",2450,\"12/4/2026\",\"3:30pm\",1,1,2,3,4,5,6",
        "\"INFY.NS\",1234567.8,\"12/4/2026\",\"3:30pm\",0,1,2,3,4,5,6",
    };
    for (int i = 0; i < 3; ++i)
        parseQuoteLine(lines[i], stocks[i].quote); // the fourth has no quote yet
    const std::vector<TickerRun> s = tickerSegments(stocks);
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0].text, "TCS");
    EXPECT_TRUE(s[0].bold);
    EXPECT_EQ(s[1].text, "  3,500.25");
    EXPECT_EQ(s[1].colour, colours::Blue);
    EXPECT_EQ(s[2].text, " (-12.50)   ");
    EXPECT_EQ(s[2].colour, colours::Red);
    EXPECT_EQ(s[3].text, "INFY");
    EXPECT_EQ(s[4].text, "  12,34,567.80");
    EXPECT_EQ(s[5].text, " (+0.00)   ") << "no change counts as up";
    EXPECT_EQ(s[5].colour, colours::DarkGreen);
    EXPECT_FALSE(s[5].bold);

    const TickerNifty down = tickerNifty(stocks[0].quote);
    EXPECT_EQ(down.changeColour, colours::Red);
    EXPECT_EQ(tickerNifty(stocks[2].quote).changeColour, colours::DarkGreen);
}

TEST(Ticker, SpeedSignGivesTheDirectionAndZeroStopsWhereItStands)
{
    BandScroll band;
    EXPECT_TRUE(band.setSpeed(500));
    EXPECT_EQ(band.intervalMs(), 20);
    EXPECT_FALSE(band.setSpeed(1001));
    EXPECT_EQ(band.speed(), 500);
    EXPECT_TRUE(band.setSpeed(600));
    EXPECT_EQ(band.intervalMs(), 16);
    // Left edge 0, right edge 100, text 30 pixels wide, starting at 0.
    EXPECT_EQ(band.step(0, 100, 30), BandScroll::Step::Left);
    EXPECT_EQ(band.offset(), -1);
    band.setOffset(-30);
    band.step(0, 100, 30);
    EXPECT_EQ(band.offset(), 100) << "gone on the left, back in from the right";

    EXPECT_TRUE(band.setSpeed(0));
    EXPECT_FALSE(band.running());
    EXPECT_EQ(band.offset(), 100);
    EXPECT_TRUE(band.setSpeed(-1));
    EXPECT_TRUE(band.running());
    EXPECT_EQ(band.intervalMs(), 10000);
    band.setOffset(99);
    EXPECT_EQ(band.step(0, 100, 30), BandScroll::Step::Right);
    EXPECT_EQ(band.step(0, 100, 30), BandScroll::Step::Repaint);
    EXPECT_EQ(band.offset(), -30) << "gone on the right, back in from the left";
}
