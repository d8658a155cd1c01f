#include "core/charts/chartrequest.h"
#include "core/charts/livechart.h"
#include "core/common/markethours.h"
#include "core/net/quoteparser.h"
#include "figures.h"
#include "watchbed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {
namespace fs = std::filesystem;
using std::tuple;
using Result = DataFileSystem::Result;
using Said = std::vector<std::string>;

struct DataFiles : ::testing::Test, WatchBed
{
    DataFiles()
    {
        at(10, 15, 30);
        for (const char *symbol : {"INFY", "TCS"})
            list.addEntry(WatchRow{symbol, "NSE", symbol});
        list.addEntry(WatchRow{"Reliance", "BSE", "500325"});
    }
    void logAll() { list.switches().intraday = list.switches().liveData = true; }
    static std::string line(const char *symbol, double last, double change, int volume)
    {
        return '"' + std::string(symbol) + "\"," + std::to_string(last) +
               ",\"12/4/2026\",\"3:30pm\"," + std::to_string(change) + ",1,3,0.5," +
               std::to_string(volume) + ",0,9";
    }
    void quotes(double nifty, double sensex, double infy, int infyVolume, double tcs, int tcsVolume)
    {
        parseQuoteLine(line("^NSEI", nifty, 10, 0), *board.quoteTarget(0, "^NSEI"));
        parseQuoteLine(line("^BSESN", sensex, -5, 0), *board.quoteTarget(1, "^BSESN"));
        parseQuoteLine(line("INFY.NS", infy, 2, infyVolume), *list.quoteTarget(0, "INFY.NS"));
        parseQuoteLine(line("TCS.NS", tcs, 0, tcsVolume), *list.quoteTarget(1, "TCS.NS"));
        parseQuoteLine(line("500325.BO", 2450, 1, 77), *list.quoteTarget(2, "500325.BO"));
    }
    Said refresh() { return refreshAll().problems; }
    std::size_t lines(const std::string &relative) const
    {
        const std::string text = read(relative);
        return std::size_t(std::count(text.begin(), text.end(), '\n'));
    }
    bool exists(const std::string &relative) const { return fs::exists(root / relative); }
};

using EndOfDay = DataFiles;
using Interval = DataFiles;
using FileFaults = DataFiles;

// The live chart reads what the writers above leave: INFY at the given prices, NIFTY rising.
struct LiveChartFiles : DataFiles
{
    LiveChart chart{root.string()};
    int minute = 15;
    int volume = 1000;

    // One refresh a minute from 10:15 on, the day going on where the last call stopped.
    void day(std::initializer_list<double> infy)
    {
        logAll();
        for (double price : infy) {
            at(10, minute++, 0);
            quotes(24000 + minute, 80000, price, volume += 100, 3500, 9);
            refresh();
        }
    }
    std::string infyFile() const { return (root / "IntraDay/12-04-2026/INFY.txt").string(); }
    void append(const std::string &text) const { std::ofstream(infyFile(), std::ios::app) << text; }
    void snapshot(const std::string &text) const
    {
        std::ofstream(root / "LiveData/LiveData.txt") << text;
    }
    std::size_t loaded(const char *symbol = "INFY")
    {
        EXPECT_EQ(chart.load(symbol, clock.now()), "");
        return chart.stock().points().size();
    }
    std::size_t ticked()
    {
        EXPECT_EQ(chart.readSnapshot(), "");
        return chart.stock().points().size();
    }
};
} // namespace

// Paths neither the watch list's simulated day nor the end-to-end refresh cycle takes.
TEST_F(EndOfDay, OneLinePerQuoteDateAndNoneWithoutOne)
{
    at(16, 0, 0);
    parseQuoteLine("\"TCS.NS\",3500,\"12/4/2026\",\"3:30pm\",1,1,3,0.5,N/A,0,9",
                   *list.quoteTarget(1, "TCS.NS"));
    // No quote yet: the file is made, nothing written; a volume of N/A is no volume of 0.
    EXPECT_EQ((tuple{refresh(), read("EODData/NIFTY.txt"), read("EODData/TCS.txt")}),
              tuple(Said{}, "", ""));

    quotes(24000, 80000, 1500.5, 1200, 3500, 9);
    refresh();

    at(10, 30, 0, 5); // Saturday morning, still Friday's quotes: no second line
    logAll();
    refresh();
    // No intraday on a weekend.
    EXPECT_EQ(tuple(lines("EODData/SENSEX.txt"), exists("IntraDay/12-05-2026"),
                    read("LiveData/LiveData.txt")),
              tuple(1u, false, "<missing>"));
}

TEST_F(Interval, BarsRunFromThePreviousRefreshToThisOne)
{
    logAll();
    quotes(24000, 80000, 1500, 1000, 0, 0); // TCS: N/A
    // The first refresh has no previous values, and without a previous volume, no file.
    EXPECT_EQ((tuple{refresh(), read("IntraDay/12-04-2026/NIFTY.txt"),
                     read("LiveData/LiveData.txt"), exists("IntraDay/12-04-2026/INFY.txt")}),
              tuple(Said{}, "", "", false));

    at(10, 15, 45);
    quotes(24010, 79990, 1502.5, 2200, 3500, 10);
    // NIFTY's and INFY's quotes are junk: no bar, nor the open of the next one.
    parseQuoteLine("\"^NSEI\",7,\"++-\",\"3:30pm\",0,1,3,0.5,0,0,9",
                   *board.quoteTarget(0, "^NSEI"));
    parseQuoteLine("\"INFY.NS\",5,\"++-\",\"3:30pm\",0,1,3,0.5,9,0,9",
                   *list.quoteTarget(0, "INFY.NS"));
    refresh();
    EXPECT_FALSE(exists("IntraDay/12-04-2026/TCS.txt"));
    at(10, 16, 0);
    quotes(24010, 79990, 1501, 2200, 3499, 25);
    refresh();
    EXPECT_EQ(tuple(read("IntraDay/12-04-2026/TCS.txt"), exists("LiveData/LiveData.txt.new")),
              tuple("TCS,12/04/2026,10:16:00,3500.00,3500.00,3499.00,3499.00,15\n", false));
    for (const char *file : {"IntraDay/12-04-2026/INFY.txt", "IntraDay/12-04-2026/NIFTY.txt",
                             "LiveData/LiveData.txt"}) {
        const std::string text = read(file);
        EXPECT_EQ(text.find(",5.00,"), std::string::npos) << file << ":\n" << text;
        EXPECT_EQ(text.find(",7.00,"), std::string::npos) << file << ":\n" << text;
    }
}

// Logging runs from 09:55 to 15:45, the live chart from 09:55 to 15:30, on weekdays only (the
// weekend: the end-of-day test).
TEST_F(Interval, MarketWindowsIncludeBothEndsOnWeekdaysOnly)
{
    EXPECT_FALSE(markethours::Logging.contains(makeLocalTime(2026, 12, 4, 9, 54, 59)));
    EXPECT_TRUE(markethours::LiveChart.contains(makeLocalTime(2026, 12, 4, 15, 30, 0)));
    EXPECT_FALSE(markethours::LiveChart.contains(makeLocalTime(2026, 12, 4, 9, 54, 59)));
    list.switches().intraday = true;
    quotes(24000, 80000, 1500, 1000, 3500, 9);
    at(9, 55, 0);
    refresh();
    EXPECT_FALSE(exists("EODData/NIFTY.txt"));
    at(15, 45, 1);
    refresh();
    EXPECT_EQ(tuple(lines("IntraDay/12-04-2026/NIFTY.txt"), lines("EODData/NIFTY.txt")),
              tuple(0u, 1u))
        << "no bar after the close";
}

TEST_F(FileFaults, AnUnusableDataFolderIsSaidOncePerWriterUntilItWorksAgain)
{
    const auto breakFolder = [this] {
        fs::remove_all(root);
        std::ofstream(root.string()) << "a file where the data folder should be";
    };
    breakFolder();
    logAll();
    quotes(24000, 80000, 1500, 1000, 3500, 9);
    EXPECT_EQ(refresh(), (Said{DataLogger::LiveOpen, DataLogger::NiftyIntradayOpen}));
    EXPECT_EQ(refresh(), Said{DataLogger::StockIntradayOpen})
        << "the stock writer runs after the index writer failed; the others repeat themselves";
    EXPECT_EQ(refresh(), Said{});
    at(18, 0, 0);
    // Braced, so the refreshes come in order; the refresh itself went on.
    EXPECT_EQ((tuple{refresh(), refresh(), list.stocks()[0].next.price}),
              tuple(Said{DataLogger::NiftyEodOpen}, Said{}, 1500));

    fs::remove(root);
    fs::create_directories(root);
    EXPECT_EQ(refresh(), Said{});
    breakFolder();
    EXPECT_EQ(refresh(), Said{DataLogger::NiftyEodOpen}) << "after a success it is said again";
    fs::remove(root);
}

TEST_F(FileFaults, ReadAndWriteErrorsEndTheirWriterWithItsMessage)
{
    const std::tuple<FaultyFiles::Op, const char *, Result, bool, const char *> cases[] = {
        {FaultyFiles::Read, "SENSEX", Result::ReadFailed, false, DataLogger::SensexEodRead},
        {FaultyFiles::Read, "TCS", Result::ReadFailed, false, DataLogger::StockEodRead},
        {FaultyFiles::Read, "500325", Result::OpenFailed, false, DataLogger::StockEodOpen},
        {FaultyFiles::Append, "INFY", Result::WriteFailed, false, DataLogger::EodWrite},
        {FaultyFiles::Append, "SENSEX", Result::OpenFailed, true, DataLogger::SensexIntradayOpen},
        {FaultyFiles::Append, "NIFTY", Result::WriteFailed, true, DataLogger::IndexIntradayWrite},
        {FaultyFiles::Append, "TCS", Result::WriteFailed, true, DataLogger::StockIntradayWrite},
        {FaultyFiles::Replace, "LiveData", Result::WriteFailed, true, DataLogger::LiveWrite},
    };
    logAll();
    for (const auto &[op, where, result, open, message] : cases) {
        fs::remove_all(root / "EODData");
        std::tie(files.op, files.where, files.result) = std::tie(op, where, result);
        at(open ? 11 : 17, 0, 0);
        quotes(24000, 80000, 1500, 1000, 3500, 9);
        Said said = refresh();
        for (std::string &problem : refresh())
            said.push_back(std::move(problem));
        EXPECT_EQ(said, Said{message}) << where << ": said once";
    }
}

// The first refresh writes no bar, so INFY's points are 100, 102, 101.
TEST_F(LiveChartFiles, PointsComeFromTheDaysFilesTheSnapshotAddsOnePerTickAndNoHalfLine)
{
    day({99, 100, 102, 101});
    ASSERT_EQ(loaded(), 3u);
    const LiveSeries &stock = chart.stock();
    // The first price only raises the maximum; NIFTY only rose, so it has no minimum.
    EXPECT_EQ(tuple(stock.latestPrice(), stock.maximum(), stock.minimum()),
              tuple("101.00", 102, 101));
    expectFigures({chart.stockScale().lower, chart.stockScale().upper, chart.niftyScale().lower},
                  {100.9, 102.1, -24019 * 0.05}, 1e-6);
    const std::vector<LiveChart::Row> rows = chart.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(tuple(rows[0].seconds, rows[1].nifty, rows[1].volume),
              tuple(10 * 3600 + 16 * 60, 24018.0, 100));

    ticked();
    EXPECT_EQ((tuple{ticked(), chart.nifty().points().size(), chart.rows()[4].nifty}),
              tuple(5u, 5u, 24019.0))
        << "an unchanged snapshot is plotted again";
    EXPECT_EQ((tuple{loaded("TCS"), chart.nifty().points().size()}), tuple(3u, 3u))
        << "another stock starts from its own file";

    // A growing file is read on without half lines.
    GrowingFile growing(infyFile());
    Said seen;
    const auto poll = [&] {
        return growing.poll([&](std::string_view l) { seen.emplace_back(l); });
    };
    const std::string whole = read("IntraDay/12-04-2026/INFY.txt");
    EXPECT_EQ((tuple{poll(), seen.size(), growing.offset()}),
              tuple(GrowingFile::Status::Read, 3u, whole.size()));

    const std::string next = seen.back();
    append(next.substr(0, 20)); // the writer is half way through a line
    poll();
    append(next.substr(20) + "\n");
    poll();
    EXPECT_EQ(tuple(seen.size(), seen.back()), tuple(4u, next));

    EXPECT_EQ(loaded(), 4u);
    day({101}); // one more refresh: one more line, read from where the last load stopped
    EXPECT_EQ(loaded(), 5u);
    std::ofstream(infyFile()) << whole.substr(0, whole.find('\n') + 1); // a shorter file
    EXPECT_EQ((tuple{poll(), loaded()}), tuple(GrowingFile::Status::Restarted, 1u));
}

// Missing files are told on the live chart window.
TEST_F(LiveChartFiles, BadLinesAreSkipped)
{
    day({99, 100});
    ticked();
    const std::string live = read("LiveData/LiveData.txt");
    const std::string good = read("IntraDay/12-04-2026/INFY.txt");
    const std::string body = good.substr(0, good.size() - 1);
    const auto field = [&body](int n) {
        std::size_t at = 0;
        for (int i = 0; i < n; ++i)
            at = body.find(',', at) + 1;
        return at;
    };
    for (const std::string &line : {
             body.substr(0, field(7) - 1),                                    // no volume
             body.substr(0, field(6)) + "abc," + body.substr(field(7)),       // price not a number
             body.substr(0, field(6)) + "-5.00," + body.substr(field(7)),     // no price below 0
             body.substr(0, field(2)) + "9:5:00" + body.substr(field(3) - 1), // not HH:MM:SS
             body.substr(0, field(2)) + "10:00:00" + body.substr(field(3) - 1), // earlier
             std::string(),
         })
        append(line + "\n");
    append(std::string(GrowingFile::MaxLine + 10, '7') + "\n" + body + "\r\n");
    ASSERT_EQ(loaded(), 2u);

    snapshot("");
    ticked();
    const std::size_t niftyPoints = chart.nifty().points().size();
    snapshot(live.substr(0, live.find('\n') + 1) + "INFYX" + body.substr(4) + "\n" +
             body.substr(0, body.size() - 1));
    EXPECT_EQ((tuple{ticked(), chart.nifty().points().size()}), tuple(2u, niftyPoints + 1))
        << "neither a longer symbol nor an unfinished line is the stock's";
    snapshot(body + "\n"); // NIFTY had no bar yet
    EXPECT_EQ((tuple{ticked(), chart.nifty().points().size()}), tuple(3u, niftyPoints + 1));
}

TEST_F(LiveChartFiles, AHugeFileIsReadFromItsTailAndThePointsStayBounded)
{
    day({99, 5000, 100}); // the day's first bar, at 5000, is far from its end
    const std::string text = read("IntraDay/12-04-2026/INFY.txt");
    const std::string line = text.substr(text.find('\n') + 1);
    {
        std::ofstream out(infyFile(), std::ios::app);
        for (std::size_t written = 0; written < 50u << 20; written += line.size())
            out << line;
    }
    EXPECT_EQ((tuple{loaded(), chart.stock().maximum()}), tuple(LiveSeries::MaxPoints, 100))
        << "only the tail was read";
}

// Only added points are handed over; a lagging NIFTY line, a reload or a full series included.
TEST_F(LiveChartFiles, AppendedRowsAddUpToWhatADrawingAnewShows)
{
    // The lines the watch list writes, at a time of day in seconds.
    const auto dataLine = [](const char *name, int seconds, double price, int volume) {
        char line[160];
        std::snprintf(line, sizeof line, "%s,12-04-2026,%02d:%02d:%02d,1,2,3,%.2f,%d\n", name,
                      seconds / 3600, seconds / 60 % 60, seconds % 60, price, volume);
        return std::string(line);
    };
    using Rows = std::vector<std::tuple<int, double, std::optional<double>, double>>;
    const auto rowsOf = [](const std::vector<LiveChart::Row> &rows) {
        Rows out;
        for (const LiveChart::Row &r : rows)
            out.emplace_back(r.seconds, r.price, r.nifty, r.volume);
        return out;
    };
    // A chart fed only what the feed hands it: its rows, and the NIFTY points drawn from them.
    LiveRowsFeed feed;
    Rows fedRows;
    std::vector<std::pair<int, double>> fedNifty;
    int wholes = 0;
    const auto take = [&] {
        LiveRowsFeed::Update update = feed.next(chart);
        if (update.whole) {
            ++wholes;
            fedRows.clear();
            fedNifty.clear();
        }
        for (const auto &row : rowsOf(update.rows))
            fedRows.push_back(row);
        fedNifty.insert(fedNifty.end(), update.nifty.begin(), update.nifty.end());
    };

    const LocalTime today = clock.now();
    fs::create_directories(root / "LiveData");
    fs::create_directories(fs::path(chart.intradayPath(today, "INFY")).parent_path());
    {
        std::ofstream infy(chart.intradayPath(today, "INFY"));
        std::ofstream nifty(chart.intradayPath(today, "NIFTY"));
        for (int i = 0; i < int(LiveSeries::MaxPoints) - 40; ++i) {
            infy << dataLine("INFY", 9 * 3600 + i, 1500 + i % 7, 100 + i);
            nifty << dataLine("NIFTY", 9 * 3600 + i, 24000 + i % 5, 0);
        }
    }
    ASSERT_EQ(chart.load("INFY", today), "");
    std::mt19937 random(7);
    take();
    int stockTime = 9 * 3600 + int(LiveSeries::MaxPoints);
    int niftyTime = stockTime;
    for (int tick = 0; tick < 120; ++tick) {
        const int roll = int(random() % 10);
        // The index runs behind, level with or ahead of the stock; either line may be missing.
        if (roll < 4)
            stockTime += int(random() % 3);
        if (roll % 3 != 1)
            niftyTime = std::max(niftyTime, stockTime - int(random() % 2)) + int(random() % 2);
        snapshot((roll != 9 ? dataLine("NIFTY", niftyTime, 24000 + tick, 0) : "") +
                 (roll != 8 ? dataLine("INFY", stockTime, 1500 + tick % 11, 500 + tick) : ""));
        ASSERT_EQ(chart.readSnapshot(), "");
        if (tick == 60) {
            ASSERT_EQ(chart.load("INFY", today), "");
        }
        take();
        const std::vector<LiveChart::Row> rows = chart.rows();
        ASSERT_EQ(fedRows, rowsOf(rows)) << "tick " << tick;
        std::vector<std::pair<int, double>> drawn;
        for (const LiveChart::Row &r : rows)
            if (r.nifty)
                drawn.emplace_back(r.seconds, *r.nifty);
        ASSERT_EQ(fedNifty, drawn) << "tick " << tick;
    }
    EXPECT_EQ(chart.stock().points().size(), LiveSeries::MaxPoints) << "the series filled up";
    EXPECT_GT(wholes, 2) << "the first hand-over, the reload and the full series";
    EXPECT_LT(wholes, 60) << "ticks that only add are appended";
}

// Five averages at most, every click counted; then inputs the simulator never sends the panel.
TEST(ChartRequest, AveragesStopAtFiveOddSymbolsAndRangeLines)
{
    ChartRequest mm("M&M", "NSE");
    for (int click = 0; click < 7; ++click)
        EXPECT_EQ(mm.addAverage("," + std::to_string(click)), click < 5) << click;
    mm.setCompare(true);
    EXPECT_EQ(mm.chartPath(), "/z?s=M%26M.NS&t=1d&q=l&l=off&z=m&p=,0,1,2,3,4&a=&c=^BSESN,^NSEI");
    EXPECT_EQ(ChartRequest("500325", "BSE").rangePath(), "/d/quotes.csv?s=500325.BO&f=w");
    EXPECT_EQ(cleanRangeLine("  \"900.00 - 1600.00\"\r"), "900.00 - 1600.00");
}
