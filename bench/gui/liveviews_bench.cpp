// The live views on the UI thread. livechart_tick: one tick of a live chart that holds a
// trading day of 375 points per series (snapshot read, charts handed the new rows and drawn),
// against reading the same three files with a bare std::ifstream loop. ticker_step: one
// scroll step of a ticker band of 50 stocks, drawn, against drawing the band's whole text
// anew, which is what a band that does not move its pixels pays on every tick.
#include "../benchsupport.h"
#include "core/common/messenger.h"
#include "core/net/quoteparser.h"
#include "core/store/stores.h"
#include "core/ticker/tickertext.h"
#include "core/watch/datalogger.h"
#include "core/watch/watchrefresh.h"
#include "gui/charts/livechartwindow.h"
#include "gui/controls/scrollingband.h"
#include "gui/shell/appcontext.h"
#include "gui/ticker/tickerbar.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;

void quote(QuoteRecord *target, const std::string &symbol, double last, double change, int volume)
{
    char line[200];
    std::snprintf(line, sizeof line, "\"%s\",%.2f,\"12/4/2026\",\"11:00am\",%+.2f,1,2,3,%d,5,6",
                  symbol.c_str(), last, change, volume);
    parseQuoteLine(line, *target);
}

// A watch list of NSE stocks with quotes, the bar's indices, and the files a day of refreshes
// with both switches on leaves: 375 bars per stock and for NIFTY, and the latest snapshot.
struct Day
{
    fs::path root = benchFolder("vantrel-bench-live");
    NullStore store;
    SilentMessenger messenger;
    WatchList list{store, messenger};
    IndexBoard board;
    FixedClock clock{makeLocalTime(2026, 12, 4, 9, 55, 0)};
    StdDataFileSystem files;
    DataLogger logger{files, clock, root.string()};

    explicit Day(int stocks, int refreshes)
    {
        fs::remove_all(root);
        for (int i = 0; i < stocks; ++i) {
            const std::string symbol = "STOCK" + std::to_string(i);
            list.addEntry(WatchRow{symbol + " Limited", "NSE", symbol});
        }
        list.switches().intraday = list.switches().liveData = true;
        logger.makeFolders();
        for (int r = 0; r < refreshes; ++r) {
            const int s = 9 * 3600 + 55 * 60 + r * 55; // one bar every 55 seconds
            clock.set(makeLocalTime(2026, 12, 4, s / 3600, s / 60 % 60, s % 60));
            quote(board.quoteTarget(0, ""), "^NSEI", 24000 + r % 17, 12.5, 0);
            for (std::size_t i = 0; i < list.count(); ++i)
                quote(list.quoteTarget(i, list.quoteSymbols()[i]), list.quoteSymbols()[i],
                      150.0 + double((r + int(i)) % 9), i % 2 ? -1.25 : 1.25, 1000 + r * 37);
            refreshWatchList(list, board, logger, clock);
            board.updateRows();
        }
    }
    ~Day() { fs::remove_all(root); }
};

struct ChartScene
{
    Day day{2, 376};
    SilentMessenger messenger;
    AppContext context{ServiceUrls{}, messenger, day.clock};
    std::unique_ptr<LiveChartWindow> window;

    ChartScene()
    {
        context.dataRoot = QString::fromStdString(day.root.string());
        context.database.open(resolveStoreConfig(
            {}, QString::fromStdString((day.root / "CompanyList.sqlite").string()), {}));
        context.database.watchList().save(
            {WatchRow{"Stock 0", "NSE", "STOCK0"}, WatchRow{"Stock 1", "NSE", "STOCK1"}});
        window = std::make_unique<LiveChartWindow>(context, nullptr);
        window->findChild<QPushButton *>(QStringLiteral("stop"))->click();
        window->show();
        QApplication::processEvents();
    }
    // Back to the day as logged: a fresh load of STOCK0 and NIFTY.
    void reload()
    {
        auto *stocks = window->findChild<QComboBox *>(QStringLiteral("stockCombo"));
        stocks->setCurrentIndex(1);
        stocks->setCurrentIndex(0);
        QApplication::processEvents();
    }
};

void BM_LiveChartTick(benchmark::State &state)
{
    ChartScene scene;
    for (auto _ : state) {
        state.PauseTiming();
        scene.reload();
        state.ResumeTiming();
        scene.window->tick();
        QApplication::processEvents(); // the charts drawn
    }
    state.counters["points"] = double(scene.window->chart().stock().points().size());
}
BENCHMARK(BM_LiveChartTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveChartTick)->Name("BM_LiveChartTick_Absolute")->Unit(benchmark::kMicrosecond);

void BM_LiveChartTickBaseline(benchmark::State &state)
{
    Day day{2, 376};
    const fs::path folder = day.root / "IntraDay/12-04-2026";
    const fs::path files[] = {folder / "STOCK0.txt", folder / "NIFTY.txt",
                              day.root / "LiveData/LiveData.txt"};
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const fs::path &file : files) {
            std::ifstream in(file);
            std::string line;
            while (std::getline(in, line))
                ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_LiveChartTickBaseline)->Unit(benchmark::kMicrosecond);

struct TickerScene
{
    Day day{50, 2};
    SilentMessenger messenger;
    AppContext context{ServiceUrls{}, messenger, day.clock};
    std::unique_ptr<TickerBar> ticker;

    TickerScene()
    {
        ticker = std::make_unique<TickerBar>(context, day.board, day.list);
        ticker->band()->setSpeed(0); // the benchmark takes the steps
        ticker->show();
        QApplication::processEvents();
    }
};

void BM_TickerStep(benchmark::State &state)
{
    TickerScene scene;
    ScrollingBand *band = scene.ticker->band();
    for (auto _ : state) {
        band->step();
        QApplication::processEvents(); // the column that came into view drawn
    }
    state.counters["width"] = band->totalWidth();
}
BENCHMARK(BM_TickerStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickerStep)->Name("BM_TickerStep_Absolute")->Unit(benchmark::kMicrosecond);

void BM_TickerStepBaseline(benchmark::State &state)
{
    TickerScene scene;
    ScrollingBand *band = scene.ticker->band();
    QImage image(band->size(), QImage::Format_RGB32);
    QFont font = band->font();
    font.setPixelSize(band->height() * 3 / 4);
    int offset = 0;
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        int x = --offset;
        for (const StyledSegment &s : band->segments()) {
            const QString text = QString::fromStdString(s.text);
            font.setBold(s.bold);
            p.setFont(font);
            const int w = p.fontMetrics().horizontalAdvance(text);
            if (x + w > 0 && x < image.width())
                p.drawText(QRect(x, 0, w, image.height()), Qt::AlignVCenter, text);
            x += w;
        }
    }
}
BENCHMARK(BM_TickerStepBaseline)->Unit(benchmark::kMicrosecond);
} // namespace
