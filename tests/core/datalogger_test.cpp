#include "core/charts/livechart.h"
#include "core/common/markethours.h"
#include "core/net/quoteparser.h"
#include "core/watch/datalogger.h"
#include "core/watch/logstamps.h"
#include "core/watch/watchrefresh.h"
#include "support/memorywatchlist.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace {
namespace fs = std::filesystem;
using Result = DataFileSystem::Result;

// The real file system, except that one operation on paths containing a given text fails.
struct FaultyFiles : StdDataFileSystem
{
    enum Op { None, Read, Append, Replace } op = None;
    std::string where;
    Result result = Result::Done;

    bool hit(Op o, const std::string &file) const
    {
        return o == op && file.find(where) != std::string::npos;
    }
    Result readAll(const std::string &file, std::string &content) override
    {
        return hit(Read, file) ? result : StdDataFileSystem::readAll(file, content);
    }
    Result append(const std::string &file, std::string_view text) override
    {
        return hit(Append, file) ? result : StdDataFileSystem::append(file, text);
    }
    Result replace(const std::string &file, std::string_view text) override
    {
        return hit(Replace, file) ? result : StdDataFileSystem::replace(file, text);
    }
};

struct DataFiles : ::testing::Test
{
    fs::path root =
        fs::temp_directory_path() / ("vantrel-log-" + std::to_string(std::random_device{}()));
    MemoryWatchList store;
    RecordingMessenger messenger;
    WatchList list{store, messenger};
    IndexBoard board;
    FixedClock clock{makeLocalTime(2026, 12, 4, 10, 15, 30)}; // a Friday
    FaultyFiles files;
    DataLogger logger{files, clock, root.string()};

    DataFiles()
    {
        fs::create_directories(root);
        for (const char *symbol : {"INFY", "TCS"})
            list.addEntry(WatchRow{symbol, "NSE", symbol});
        list.addEntry(WatchRow{"Reliance", "BSE", "500325"});
    }
    ~DataFiles() override { fs::remove_all(root); }

    void at(int hour, int minute, int second, int day = 4)
    {
        clock.set(makeLocalTime(2026, 12, day, hour, minute, second));
    }
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
    // One main refresh: the watch list runs while the bar still holds the previous indices.
    std::vector<std::string> refresh()
    {
        const WatchRefreshReport report = refreshWatchList(list, board, logger, clock);
        board.updateRows();
        return report.problems;
    }
    std::string read(const std::string &relative) const
    {
        std::ifstream in(root / relative);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
    std::size_t lines(const std::string &relative) const
    {
        const std::string text = read(relative);
        return std::size_t(std::count(text.begin(), text.end(), '\n'));
    }
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
        list.switches().intraday = list.switches().liveData = true;
        for (double price : infy) {
            at(10, minute++, 0);
            quotes(24000 + minute, 80000, price, volume += 100, 3500, 9);
            refresh();
        }
    }
    std::string infyFile() const { return (root / "IntraDay/12-04-2026/INFY.txt").string(); }
    void appendTo(const std::string &file, const std::string &text) const
    {
        std::ofstream(file, std::ios::app) << text;
    }
};
} // namespace

// The line formats, the SENSEX quarter hour, the close at 15:45:00 and which stocks get
// which files are all in the watch list's simulated day, and garbled prices in the files in
// the end-to-end refresh cycle; these are the paths neither takes.
TEST_F(EndOfDay, OneLinePerQuoteDateAndNoneWithoutOne)
{
    at(16, 0, 0);
    parseQuoteLine("\"TCS.NS\",3500,\"12/4/2026\",\"3:30pm\",1,1,3,0.5,N/A,0,9",
                   *list.quoteTarget(1, "TCS.NS"));
    EXPECT_TRUE(refresh().empty());
    EXPECT_EQ(read("EODData/NIFTY.txt"), "") << "no quote yet: the file is made, nothing written";
    EXPECT_EQ(read("EODData/TCS.txt"), "") << "a volume of N/A is no volume of 0";

    quotes(24000, 80000, 1500.5, 1200, 3500, 9);
    refresh();
    refresh(); // the same evening again
    EXPECT_EQ(read("EODData/NIFTY.txt"), "NIFTY,12/4/2026,1.00,3.00,0.50,24000.00,0\n");

    at(10, 30, 0, 5); // Saturday morning, still Friday's quotes
    list.switches().intraday = list.switches().liveData = true;
    refresh();
    EXPECT_EQ(lines("EODData/SENSEX.txt"), 1u);
    EXPECT_FALSE(fs::exists(root / "IntraDay/12-05-2026")) << "no intraday on a weekend";
    EXPECT_EQ(read("LiveData/LiveData.txt"), "<missing>");
}

TEST_F(Interval, BarsRunFromThePreviousRefreshToThisOne)
{
    list.switches().intraday = list.switches().liveData = true;
    quotes(24000, 80000, 1500, 1000, 0, 0); // TCS: N/A
    EXPECT_TRUE(refresh().empty());
    EXPECT_EQ(read("IntraDay/12-04-2026/NIFTY.txt"), "")
        << "the first refresh has no previous values";
    EXPECT_EQ(read("LiveData/LiveData.txt"), "");
    EXPECT_FALSE(fs::exists(root / "IntraDay/12-04-2026/INFY.txt"))
        << "no previous volume taken, no file";

    at(10, 15, 45);
    quotes(24010, 79990, 1502.5, 2200, 3500, 10);
    refresh();
    EXPECT_FALSE(fs::exists(root / "IntraDay/12-04-2026/TCS.txt"));
    at(10, 16, 0);
    quotes(24010, 79990, 1501, 2200, 3499, 25);
    refresh();
    EXPECT_EQ(read("IntraDay/12-04-2026/TCS.txt"),
              "TCS,12/04/2026,10:16:00,3500.00,3500.00,3499.00,3499.00,15\n");
    EXPECT_FALSE(fs::exists(root / "LiveData/LiveData.txt.new"));
}

TEST_F(Interval, AJunkQuoteNeverOpensTheNextBar)
{
    list.switches().intraday = list.switches().liveData = true;
    quotes(24000, 80000, 1500, 1000, 3500, 9);
    refresh();
    at(10, 15, 45);
    parseQuoteLine("\"^NSEI\",7,\"++-\",\"3:30pm\",0,1,3,0.5,0,0,9",
                   *board.quoteTarget(0, "^NSEI"));
    parseQuoteLine("\"INFY.NS\",5,\"++-\",\"3:30pm\",0,1,3,0.5,9,0,9",
                   *list.quoteTarget(0, "INFY.NS"));
    refresh(); // a junk quote is no bar...
    at(10, 16, 0);
    quotes(24010, 79990, 1502.5, 2200, 3500, 10);
    refresh(); // ...nor the open of the next one
    for (const char *file : {"IntraDay/12-04-2026/INFY.txt", "IntraDay/12-04-2026/NIFTY.txt",
                             "LiveData/LiveData.txt"}) {
        const std::string text = read(file);
        EXPECT_EQ(text.find(",5.00,"), std::string::npos) << file << ":\n" << text;
        EXPECT_EQ(text.find(",7.00,"), std::string::npos) << file << ":\n" << text;
    }
}

TEST_F(Interval, LoggingRunsFrom0955To1545OnWeekdays)
{
    EXPECT_FALSE(markethours::Logging.contains(makeLocalTime(2026, 12, 4, 9, 54, 59)));
    EXPECT_FALSE(markethours::Logging.contains(makeLocalTime(2026, 12, 6, 11, 0, 0))) << "a Sunday";
    list.switches().intraday = true;
    quotes(24000, 80000, 1500, 1000, 3500, 9);
    at(9, 55, 0);
    refresh();
    EXPECT_FALSE(fs::exists(root / "EODData/NIFTY.txt"));
    at(15, 45, 1);
    refresh();
    EXPECT_EQ(lines("IntraDay/12-04-2026/NIFTY.txt"), 0u) << "no bar after the close";
    EXPECT_EQ(lines("EODData/NIFTY.txt"), 1u);
}

TEST_F(FileFaults, AnUnusableDataFolderIsSaidOncePerWriterUntilItWorksAgain)
{
    using Said = std::vector<std::string>;
    const auto breakFolder = [this] {
        fs::remove_all(root);
        std::ofstream(root.string()) << "a file where the data folder should be";
    };
    breakFolder();
    list.switches().intraday = list.switches().liveData = true;
    quotes(24000, 80000, 1500, 1000, 3500, 9);
    EXPECT_EQ(refresh(), (Said{DataLogger::LiveOpen, DataLogger::NiftyIntradayOpen}));
    EXPECT_EQ(refresh(), Said{DataLogger::StockIntradayOpen})
        << "the stock writer runs after the index writer failed; the others repeat themselves";
    EXPECT_EQ(refresh(), Said{});
    at(18, 0, 0);
    EXPECT_EQ(refresh(), Said{DataLogger::NiftyEodOpen});
    EXPECT_EQ(refresh(), Said{});
    EXPECT_EQ(list.stocks()[0].next.price, 1500) << "the refresh itself went on";

    fs::remove(root);
    fs::create_directories(root);
    EXPECT_EQ(refresh(), Said{});
    breakFolder();
    EXPECT_EQ(refresh(), Said{DataLogger::NiftyEodOpen}) << "after a success it is said again";
    fs::remove(root);
}

TEST_F(FileFaults, ReadAndWriteErrorsEndTheirWriterWithItsMessage)
{
    const struct
    {
        FaultyFiles::Op op;
        const char *where;
        Result result;
        bool open;
        const char *message;
    } cases[] = {
        {FaultyFiles::Read, "SENSEX", Result::ReadFailed, false, DataLogger::SensexEodRead},
        {FaultyFiles::Read, "TCS", Result::ReadFailed, false, DataLogger::StockEodRead},
        {FaultyFiles::Read, "500325", Result::OpenFailed, false, DataLogger::StockEodOpen},
        {FaultyFiles::Append, "INFY", Result::WriteFailed, false, DataLogger::EodWrite},
        {FaultyFiles::Append, "SENSEX", Result::OpenFailed, true, DataLogger::SensexIntradayOpen},
        {FaultyFiles::Append, "NIFTY", Result::WriteFailed, true, DataLogger::IndexIntradayWrite},
        {FaultyFiles::Append, "TCS", Result::WriteFailed, true, DataLogger::StockIntradayWrite},
        {FaultyFiles::Replace, "LiveData", Result::WriteFailed, true, DataLogger::LiveWrite},
    };
    list.switches().intraday = list.switches().liveData = true;
    for (const auto &c : cases) {
        fs::remove_all(root / "EODData");
        files.op = c.op;
        files.where = c.where;
        files.result = c.result;
        at(c.open ? 11 : 17, 0, 0);
        quotes(24000, 80000, 1500, 1000, 3500, 9);
        std::vector<std::string> said = refresh();
        for (std::string &problem : refresh())
            said.push_back(std::move(problem));
        EXPECT_EQ(said, std::vector<std::string>{c.message}) << c.where << ": said once";
    }
}

// The first refresh writes no bar, so INFY's points are 100, 102, 101.
TEST_F(LiveChartFiles, PointsComeFromTheDaysFilesAndTheSnapshotAddsOnePerTick)
{
    day({99, 100, 102, 101});
    EXPECT_EQ(chart.load("INFY", clock.now()), "");
    ASSERT_EQ(chart.stock().points().size(), 3u);
    EXPECT_EQ(chart.stock().latestPrice(), "101.00");
    EXPECT_EQ(chart.stock().maximum(), 102) << "the first price only raises the maximum";
    EXPECT_EQ(chart.stock().minimum(), 101);
    EXPECT_NEAR(chart.stockScale().lower, 100.9, 1e-9);
    EXPECT_NEAR(chart.stockScale().upper, 102.1, 1e-9);
    EXPECT_NEAR(chart.niftyScale().lower, -24019 * 0.05, 1e-6) << "NIFTY only rose: no minimum";
    const std::vector<LiveChart::Row> rows = chart.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].seconds, 10 * 3600 + 16 * 60);
    EXPECT_EQ(rows[1].nifty, 24018.0);
    EXPECT_EQ(rows[1].volume, 100);

    EXPECT_EQ(chart.readSnapshot(), "");
    EXPECT_EQ(chart.readSnapshot(), "") << "an unchanged snapshot is plotted again";
    EXPECT_EQ(chart.stock().points().size(), 5u);
    EXPECT_EQ(chart.nifty().points().size(), 5u);
    EXPECT_EQ(chart.rows()[4].nifty, 24019.0);

    EXPECT_EQ(chart.load("TCS", clock.now()), "");
    EXPECT_EQ(chart.stock().points().size(), 3u) << "another stock starts from its own file";
    EXPECT_EQ(chart.nifty().points().size(), 3u);
}

TEST_F(LiveChartFiles, AGrowingFileIsReadOnWithoutHalfLines)
{
    day({99, 100, 102});
    const std::string file = infyFile();
    GrowingFile growing(file);
    std::vector<std::string> seen;
    const auto poll = [&] {
        return growing.poll([&](std::string_view l) { seen.emplace_back(l); });
    };
    EXPECT_EQ(poll(), GrowingFile::Status::Read);
    EXPECT_EQ(seen.size(), 2u);
    const std::string whole = read("IntraDay/12-04-2026/INFY.txt");
    EXPECT_EQ(growing.offset(), whole.size());

    const std::string next = seen.back();
    appendTo(file, next.substr(0, 20)); // the writer is half way through a line
    poll();
    EXPECT_EQ(seen.size(), 2u);
    appendTo(file, next.substr(20) + "\n");
    poll();
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.back(), next);

    EXPECT_EQ(chart.load("INFY", clock.now()), "");
    EXPECT_EQ(chart.stock().points().size(), 3u);
    day({101}); // one more refresh: one more line, read from where the last load stopped
    EXPECT_EQ(chart.load("INFY", clock.now()), "");
    EXPECT_EQ(chart.stock().points().size(), 4u);

    std::ofstream(file) << whole.substr(0, whole.find('\n') + 1); // replaced by a shorter file
    EXPECT_EQ(poll(), GrowingFile::Status::Restarted);
    EXPECT_EQ(chart.load("INFY", clock.now()), "");
    EXPECT_EQ(chart.stock().points().size(), 1u);
}

// Missing files are told on the live chart window.
TEST_F(LiveChartFiles, BadLinesAreSkipped)
{
    day({99, 100});
    EXPECT_EQ(chart.readSnapshot(), "");
    const std::string live = read("LiveData/LiveData.txt");
    const std::string good = read("IntraDay/12-04-2026/INFY.txt");
    const std::string body = good.substr(0, good.size() - 1);
    const auto field = [&body](int n) {
        std::size_t at = 0;
        for (int i = 0; i < n; ++i)
            at = body.find(',', at) + 1;
        return at;
    };
    const std::string bad[] = {
        body.substr(0, field(7) - 1),                                      // no volume
        body.substr(0, field(6)) + "abc," + body.substr(field(7)),         // price not a number
        body.substr(0, field(6)) + "-5.00," + body.substr(field(7)),       // no price below 0
        body.substr(0, field(2)) + "9:5:00" + body.substr(field(3) - 1),   // not HH:MM:SS
        body.substr(0, field(2)) + "10:00:00" + body.substr(field(3) - 1), // earlier
        "",
    };
    for (const std::string &line : bad)
        appendTo(infyFile(), line + "\n");
    appendTo(infyFile(), std::string(GrowingFile::MaxLine + 10, '7') + "\n" + body + "\r\n");
    EXPECT_EQ(chart.load("INFY", clock.now()), "");
    ASSERT_EQ(chart.stock().points().size(), 2u);
    EXPECT_EQ(chart.stock().points().back().price, "100.00");

    std::ofstream(root / "LiveData/LiveData.txt") << "";
    EXPECT_EQ(chart.readSnapshot(), "");
    const std::size_t niftyPoints = chart.nifty().points().size();
    std::ofstream(root / "LiveData/LiveData.txt")
        << live.substr(0, live.find('\n') + 1) << "INFYX" << body.substr(4) << "\n"
        << body.substr(0, body.size() - 1);
    EXPECT_EQ(chart.readSnapshot(), "");
    EXPECT_EQ(chart.nifty().points().size(), niftyPoints + 1);
    EXPECT_EQ(chart.stock().points().size(), 2u)
        << "neither a longer symbol nor an unfinished line is the stock's";
    std::ofstream(root / "LiveData/LiveData.txt") << body << "\n"; // NIFTY had no bar yet
    EXPECT_EQ(chart.readSnapshot(), "");
    EXPECT_EQ(chart.stock().points().size(), 3u);
    EXPECT_EQ(chart.nifty().points().size(), niftyPoints + 1);
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
    EXPECT_EQ(chart.load("INFY", clock.now()), "");
    EXPECT_EQ(chart.stock().points().size(), LiveSeries::MaxPoints);
    EXPECT_EQ(chart.stock().maximum(), 100) << "only the tail was read";
    for (int i = 0; i < 10; ++i)
        chart.readSnapshot();
    EXPECT_EQ(chart.stock().points().size(), LiveSeries::MaxPoints);
}
