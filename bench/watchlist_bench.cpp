// One watch list refresh of fifty NSE stocks with every switch and data file on, as the UI
// thread runs it: rows, intraday and live files, alerts. The baseline writes the same bytes
// to the same files with plain fopen/fwrite, which any implementation has to pay for.
#include "benchsupport.h"
#include "core/common/messenger.h"
#include "core/net/quoteparser.h"
#include "core/store/stores.h"
#include "core/watch/datalogger.h"
#include "core/watch/watchrefresh.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

struct Scene
{
    fs::path root = benchFolder("vantrel-bench-watch");
    NullStore store;
    SilentMessenger messenger;
    WatchList list{store, messenger};
    IndexBoard board;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    StdDataFileSystem files;
    DataLogger logger{files, clock, root.string()};
    int tick = 0;

    Scene()
    {
        fs::remove_all(root);
        for (int i = 0; i < 50; ++i) {
            const std::string symbol = "STOCK" + std::to_string(i);
            // Every fifth stock has a band it has left, so the alert message is built too.
            list.addEntry(WatchRow{symbol + " Limited", "NSE", symbol, i % 5 == 0, 100, 200});
        }
        list.switches() = WatchSwitches{true, true, true, true, true, true};
        logger.makeFolders();
        next();
        refreshWatchList(list, board, logger, clock);
        board.updateRows();
    }
    ~Scene() { fs::remove_all(root); }

    // A new reply: every price moves a little.
    void next()
    {
        ++tick;
        char line[160];
        for (std::size_t i = 0; i < 3; ++i) {
            std::snprintf(line, sizeof line,
                          "\"IDX\",%.2f,\"12/4/2026\",\"11:00am\",+12.5,1,2,3,0,4,5",
                          24000.0 + tick % 7);
            parseQuoteLine(line, *board.quoteTarget(i, ""));
        }
        for (std::size_t i = 0; i < list.count(); ++i) {
            std::snprintf(
                line, sizeof line,
                "\"S.NS\",%.2f,\"12/4/2026\",\"11:00am\",%+.2f,%.2f,%.2f,%.2f,%d,%.2f,%.2f",
                150.0 + double((tick + int(i)) % 9), 1.25, 149.0, 158.0, 148.0, 100000 + tick * 37,
                90.0, 210.0);
            parseQuoteLine(line, *list.quoteTarget(i, list.quoteSymbols()[i]));
        }
    }
};

void BM_WatchListRefresh(benchmark::State &state)
{
    Scene scene;
    for (auto _ : state) {
        state.PauseTiming();
        scene.next();
        state.ResumeTiming();
        WatchRefreshReport report =
            refreshWatchList(scene.list, scene.board, scene.logger, scene.clock);
        scene.board.updateRows();
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_WatchListRefresh)->Unit(benchmark::kMicrosecond);
// The same figure, printed in milliseconds by ratios.py: it has to stay well under 5 ms.
BENCHMARK(BM_WatchListRefresh)->Name("BM_WatchListRefresh_Absolute")->Unit(benchmark::kMicrosecond);

void BM_WatchListRefreshBaseline(benchmark::State &state)
{
    Scene scene;
    const std::string day = scene.root.string() + "/IntraDay/12-04-2026/";
    std::vector<std::pair<std::string, std::string>> appends;
    std::string live;
    for (const char *index : {"NIFTY", "SENSEX"})
        appends.emplace_back(day + index + ".txt",
                             std::string(index) +
                                 ",12/04/2026,11:00:00,24000.00,24001.00,24000.00,24001.00,0\n");
    for (std::size_t i = 0; i < scene.list.count(); ++i) {
        const std::string &symbol = scene.list.stocks()[i].entry.symbol;
        appends.emplace_back(day + symbol + ".txt",
                             symbol + ",12/04/2026,11:00:00,151.00,152.00,151.00,152.00,37\n");
        live += appends.back().second;
    }
    const std::string liveFile = scene.root.string() + "/LiveData/LiveData.txt";
    const std::string liveAside = liveFile + ".new";
    for (auto _ : state) {
        for (const auto &[file, text] : appends) {
            std::FILE *f = std::fopen(file.c_str(), "a");
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        std::FILE *f = std::fopen(liveAside.c_str(), "w");
        std::fwrite(live.data(), 1, live.size(), f);
        std::fclose(f);
        std::rename(liveAside.c_str(), liveFile.c_str());
    }
}
BENCHMARK(BM_WatchListRefreshBaseline)->Unit(benchmark::kMicrosecond);
} // namespace
