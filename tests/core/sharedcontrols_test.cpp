#include "core/controls/exportname.h"
#include "core/controls/fieldcheck.h"
#include "core/market/indexboardlist.h"
#include "core/net/quoteparser.h"
#include "core/shell/barplacement.h"
#include "core/shell/indexboard.h"
#include "core/ticker/bandscroll.h"
#include "core/ticker/tickertext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

namespace fs = std::filesystem;
using std::tie, std::tuple;

// Every export writes through exportfile::write: one file in its folder, or nothing.
TEST(ExportName, OnlyAPlainFileNameWithinTheDialogsLengthIsWritten)
{
    EXPECT_EQ(defaultExportName(makeLocalTime(2008, 6, 27, 15, 59, 7)), "27-06-2008_03-59-07PM");
    EXPECT_EQ(acceptExportName("   \t ").problem, ExportNameMissing);
    std::string devanagari25;
    for (int i = 0; i < 25; ++i)
        devanagari25 += "\u0936"; // three bytes, one character
    for (const std::string &plain : {std::string("my list"), std::string("..hidden"),
                                     std::string("a.b.c"), std::string(25, 'x'), devanagari25})
        EXPECT_EQ(acceptExportName(plain).problem, "") << plain;
    for (const std::string &escaping :
         {std::string("../../escaped_wl"), std::string(".."), std::string(" . "),
          std::string("a\\b"), std::string("line\nbreak"), std::string("nul\0x", 5),
          std::string("del\x7f"), std::string("c1\xc2\x85"), devanagari25 + "x"}) {
        const ExportNameAnswer answer = acceptExportName(escaping);
        EXPECT_EQ(tie(answer.problem, answer.name), tuple(exportfile::NameNotPlain, ""))
            << escaping;
    }

    // The writer holds to the same rule whoever calls it.
    const fs::path root =
        fs::temp_directory_path() / ("vantrel-names-" + std::to_string(std::random_device{}()));
    const std::string folder = (root / "a" / "WatchListData").string();
    StdDataFileSystem files;
    EXPECT_EQ((tuple{exportfile::write(files, folder, "../../escaped", "x\n", "done "),
                     exportfile::write(files, folder, "", "x\n", "done "), fs::exists(root)}),
              tuple(exportfile::NameNotPlain, ExportNameMissing, false));
    EXPECT_EQ(exportfile::write(files, folder, "kept", "x\n", "done ", "NSE_"),
              "done " + folder + "/NSE_kept.csv");
    // A folder where the file should go can't be replaced; a file as the folder, not opened.
    fs::create_directory(root / "a" / "WatchListData" / "taken.csv");
    EXPECT_EQ((tuple{exportfile::write(files, folder, "taken", "x\n", "done "),
                     exportfile::write(files, folder + "/NSE_kept.csv", "x", "x\n", "done ")}),
              tuple(exportfile::WriteFailed, exportfile::OpenFailed));
    fs::remove_all(root);
}

TEST(FieldCheck, NumberEditsTakeTheWholeTextWithinTheirRange)
{
    const char *const notNumber = "Please enter a number.";
    const char *const range = "Please enter a number between 0 and 99999.";
    const tuple<const char *, std::optional<double>, const char *> cases[] = {
        {" 12.5\t", 12.5, ""}, {".5", 0.5, ""},          {"1e3", 1000, ""},
        {"99999", 99999, ""},  {"", {}, notNumber},      {"12a", {}, notNumber},
        {"-0.01", {}, range},  {"99999.001", {}, range}, {"1e400", {}, range}};
    for (const auto &[text, value, message] : cases) {
        const FieldValue<double> taken = takeNumber(text, 0, 99999);
        EXPECT_EQ(tie(taken.value, taken.message), tie(value, message)) << text;
    }
    EXPECT_EQ(numberRangeMessage(0, 0.125), "Please enter a number between 0 and 0.125.");
    // What a field shows reads back through the same rule, and the validators allow no exponent.
    for (const double value : {100000.0, 1e6, 0.05, 1234.5, 0.0})
        EXPECT_EQ(takeNumber(numberFieldText(value), 0, 1e6).value, value);
    EXPECT_EQ(numberFieldText(100000) + " " + numberFieldText(0.05), "100000 0.05");

    const std::string integer = "Please enter an integer.";
    const std::string between = "Please enter an integer between 0 and 999999.";
    EXPECT_EQ(takeInteger(" 250 ", 0, 999999).value, 250);
    for (const auto &[text, message] :
         {tuple("2.5", integer), tuple("99999999999999999999", integer), tuple("1000000", between),
          tuple("-1", between)})
        EXPECT_EQ(takeInteger(text, 0, 999999).message, message) << text;
}

TEST(IndexLists, RowsStartAtZeroAndFollowTheirRecords)
{
    IndexQuotes q({indextables::Nse.begin(), indextables::Nse.end()},
                  {indextables::Bse.begin(), indextables::Bse.end()});
    ASSERT_EQ(q.quoteSymbols().size(), 22u) << "both tables are asked for";
    const IndexRow before = q.lowerRows().at(0);
    EXPECT_EQ(tuple(IndexColumns::text(before, 2, false), IndexColumns::text(before, 3, false)),
              tuple("0.00", ""));

    parseQuoteLine("\"^NSEBANK\",12345.60,\"12/4/2026\",\"3:30pm\",-12.50,1,2,3,4,5,6",
                   *q.quoteTarget(4, "^NSEBANK"));
    const IndexRow bank = q.upperRows().at(4);
    EXPECT_EQ(tuple(bank.name, IndexColumns::text(bank, 2, false)),
              tuple("BANK NIFTY", "12,345.60"));
    // A change too small to show reads as the 0.00 the list shows: blue, not green.
    EXPECT_EQ(IndexColumns::textColour(5, 0.004), colours::Blue);
}

// The texts the main bar's refreshes against the simulator can't stage.
TEST(IndexBoard, RowsShowThePercentChangeAndNoYearRangeAndColoursReadTheTextsBack)
{
    IndexBoard board;
    parseQuoteLine("\"^NSEI\",24000,\"12/4/2026\",\"3:30pm\",100,1,2,3,400,5,6",
                   *board.quoteTarget(0, "^NSEI"));
    board.updateRows();
    // The year range is not copied into a row.
    EXPECT_EQ(tuple(IndexBoard::cellText(board.rows()[0], 4), board.rows()[0].yearHigh),
              tuple("0.42", 0));

    QuoteRecord row;
    row.last = 100;
    row.previousLast = 100.001; // shown as 100.00: equal once read back
    EXPECT_EQ(indexCellColours(1, row).background, colours::Blue);
    // Read back through the grouped text; -0.001 displays as -0.00, which reads back as 0.
    for (const auto &[change, colour] :
         {tuple(1500.5f, colours::DarkGreen), tuple(0.f, colours::Blue),
          tuple(-0.001f, colours::Blue), tuple(-3.f, colours::Red)}) {
        row.change = change;
        EXPECT_EQ(tuple(indexCellColours(3, row).text, indexCellColours(4, row).text),
                  tuple(colour, colour))
            << change;
    }
    EXPECT_EQ(tuple(indexCellColours(3, row).background, indexCellColours(5, row).text,
                    indexCellColours(0, row).background),
              tuple(colours::White, colours::Black, colours::White));
}

// The six presets over a 40-pixel taskbar, in the enum's order, on a screen right of another;
// the main bar's test shows it places itself through them.
TEST(BarPlacement, CentreHalvesTruncateSeparatelyPanelsDockUnderAndMenusStayInside)
{
    const ScreenRect second{1920, 0, 2944, 768};
    const ScreenPoint at[] = {{1920, 0}, {2361, 0},  {1920, 628}, {2361, 628},
                              {2141, 0}, {2141, 628}}; // 1920 + 512 - 291, not 1920 + 441 / 2
    for (int p = 0; p < 6; ++p)
        EXPECT_EQ(presetPosition(BarPreset(int(BarPreset::TopLeft) + p), second, 40, 583, 100),
                  at[p]);
    EXPECT_EQ(dockPosition(ScreenRect{100, 50, 682, 159}), (ScreenPoint{100, 159}));
    const ScreenRect client{101, 51, 681, 158};
    EXPECT_EQ((tuple{isInside(client, {101, 51}), isInside(client, {680, 157}),
                     isInside(client, {100, 60}), isInside(client, {681, 60})}),
              tuple(true, true, false, false));
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
    const auto run = [](const TickerRun &r) { return tuple(r.text, r.colour, r.bold); };
    EXPECT_EQ(tuple(s[0].text, s[0].bold), tuple("TCS", true));
    EXPECT_EQ(tuple(run(s[1]), run(s[2])), tuple(tuple("  3,500.25", colours::Blue, false),
                                                 tuple(" (-12.50)   ", colours::Red, false)));
    EXPECT_EQ(run(s[5]), tuple(" (+0.00)   ", colours::DarkGreen, false)) << "no change is up";
    EXPECT_EQ(
        tuple(tickerNifty(stocks[0].quote).changeColour, tickerNifty(stocks[2].quote).changeColour),
        tuple(colours::Red, colours::DarkGreen));
}

TEST(Ticker, SpeedSignGivesTheDirectionAndZeroStopsWhereItStands)
{
    // Braced, so the calls come in order.
    BandScroll band;
    EXPECT_EQ((tuple{band.setSpeed(500), band.intervalMs(), band.setSpeed(1001), band.speed()}),
              tuple(true, 20, false, 500));
    EXPECT_EQ((tuple{band.setSpeed(600), band.intervalMs()}), tuple(true, 16));
    // Left edge 0, right edge 100, text 30 pixels wide, starting at 0.
    EXPECT_EQ((tuple{band.step(0, 100, 30), band.offset()}), tuple(BandScroll::Step::Left, -1));
    band.setOffset(-30);
    band.step(0, 100, 30);
    EXPECT_EQ(band.offset(), 100) << "gone on the left, back in from the right";

    EXPECT_EQ((tuple{band.setSpeed(0), band.running(), band.offset()}), tuple(true, false, 100));
    EXPECT_EQ((tuple{band.setSpeed(-1), band.running(), band.intervalMs()}),
              tuple(true, true, 10000));
    band.setOffset(99);
    EXPECT_EQ((tuple{band.step(0, 100, 30), band.step(0, 100, 30), band.offset()}),
              tuple(BandScroll::Step::Right, BandScroll::Step::Repaint, -30))
        << "gone on the right, back in from the left";
}
