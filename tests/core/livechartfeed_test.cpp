#include "core/charts/livechart.h"
#include "core/watch/logstamps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {
namespace fs = std::filesystem;

// The lines the watch list writes, at a time of day in seconds.
std::string dataLine(const std::string &name, int seconds, double price, int volume)
{
    char line[160];
    std::snprintf(line, sizeof line, "%s,12-04-2026,%02d:%02d:%02d,1,2,3,%.2f,%d", name.c_str(),
                  seconds / 3600, seconds / 60 % 60, seconds % 60, price, volume);
    return line;
}

// A chart fed only what the feed hands it, next to the rows the live chart holds.
struct FedChart
{
    LiveRowsFeed feed;
    std::vector<LiveChart::Row> rows;
    std::vector<std::pair<int, double>> nifty;
    int wholes = 0;

    void take(const LiveChart &chart)
    {
        LiveRowsFeed::Update update = feed.next(chart);
        if (update.whole) {
            ++wholes;
            rows.clear();
            nifty.clear();
        }
        rows.insert(rows.end(), update.rows.begin(), update.rows.end());
        nifty.insert(nifty.end(), update.nifty.begin(), update.nifty.end());
    }
    // What a chart drawn anew from the rows would show.
    static std::vector<std::pair<int, double>> niftyOf(const std::vector<LiveChart::Row> &rows)
    {
        std::vector<std::pair<int, double>> out;
        for (const LiveChart::Row &r : rows)
            if (r.nifty)
                out.emplace_back(r.seconds, *r.nifty);
        return out;
    }
};

bool sameRows(const std::vector<LiveChart::Row> &a, const std::vector<LiveChart::Row> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.seconds == y.seconds && x.price == y.price && x.nifty == y.nifty &&
               x.volume == y.volume;
    });
}

struct LiveChartFeed : ::testing::Test
{
    fs::path root =
        fs::temp_directory_path() / ("vantrel-feed-" + std::to_string(std::random_device{}()));
    LocalTime today = makeLocalTime(2026, 12, 4, 10, 0, 0);
    LiveChart chart{root.string()};

    LiveChartFeed()
    {
        fs::create_directories(root / "LiveData");
        fs::create_directories(fs::path(chart.intradayPath(today, "INFY")).parent_path());
    }
    ~LiveChartFeed() override { fs::remove_all(root); }

    void day(int points, int from)
    {
        std::ofstream infy(chart.intradayPath(today, "INFY"));
        std::ofstream nifty(chart.intradayPath(today, "NIFTY"));
        for (int i = 0; i < points; ++i) {
            infy << dataLine("INFY", from + i, 1500 + i % 7, 100 + i) << '\n';
            nifty << dataLine("NIFTY", from + i, 24000 + i % 5, 0) << '\n';
        }
    }
    void snapshot(const std::string &text)
    {
        std::ofstream(root / "LiveData/LiveData.txt", std::ios::trunc) << text;
    }
};
} // namespace

// Ticks that only add points hand over only those; the NIFTY price of a row can come a tick
// after the row (a lagging index line), and a reload or a full series starts the chart again.
TEST_F(LiveChartFeed, AppendedRowsAddUpToWhatADrawingAnewShows)
{
    day(LiveSeries::MaxPoints - 40, 9 * 3600);
    ASSERT_EQ(chart.load("INFY", today), "");
    std::mt19937 random(7);
    FedChart fed;
    fed.take(chart);
    int stockTime = 9 * 3600 + LiveSeries::MaxPoints;
    int niftyTime = stockTime;
    for (int tick = 0; tick < 120; ++tick) {
        const int roll = int(random() % 10);
        // The index runs behind, level with or ahead of the stock; either line may be missing.
        if (roll < 4)
            stockTime += int(random() % 3);
        if (roll % 3 != 1)
            niftyTime = std::max(niftyTime, stockTime - int(random() % 2)) + int(random() % 2);
        std::string text;
        if (roll != 9)
            text += dataLine("NIFTY", niftyTime, 24000 + tick, 0) + "\n";
        if (roll != 8)
            text += dataLine("INFY", stockTime, 1500 + tick % 11, 500 + tick) + "\n";
        snapshot(text);
        ASSERT_EQ(chart.readSnapshot(), "");
        if (tick == 60) {
            ASSERT_EQ(chart.load("INFY", today), "");
        }
        fed.take(chart);
        const std::vector<LiveChart::Row> rows = chart.rows();
        ASSERT_TRUE(sameRows(fed.rows, rows)) << "tick " << tick;
        ASSERT_EQ(fed.nifty, FedChart::niftyOf(rows)) << "tick " << tick;
    }
    EXPECT_EQ(chart.stock().points().size(), LiveSeries::MaxPoints) << "the series filled up";
    EXPECT_GT(fed.wholes, 2) << "the first hand-over, the reload and the full series";
    EXPECT_LT(fed.wholes, 60) << "ticks that only add are appended";
}
