// The trade book: importing a tradebook of 20,000 trades into a real database file (read,
// preview against what is stored, store in one transaction), and rebuilding the holding lists
// from 20,000 trades. Goals: under 1 s and under 20 ms. The baselines read the same bytes and
// walk the same trades once.
#include "benchsupport.h"
#include "core/portfolio/holdinglist.h"
#include "core/trades/importpreview.h"
#include "core/trades/tradematcher.h"
#include "platform/store/companydatabase.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int TradeCount = 20000;

// 200 symbols bought over a year, a third of the rows selling part of an earlier buy.
std::string tradebook()
{
    std::string text = "symbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                       "quantity,price,trade_id,order_id,order_execution_time\n";
    for (int i = 0; i < TradeCount; ++i) {
        const int day = 1 + i * 360 / TradeCount;
        char date[11];
        std::snprintf(date, sizeof date, "2025-%02d-%02d", 1 + (day - 1) / 30, 1 + (day - 1) % 28);
        const bool sell = i % 3 == 2;
        text += "STOCK" + std::to_string(i % 200) + ",INE000000000," + date + ",NSE,EQ,EQ," +
                (sell ? "sell" : "buy") + ",false," + (sell ? "5" : "10") + "," +
                std::to_string(100 + i % 50) + ".25," + std::to_string(1000000 + i) + ",1," + date +
                "T10:00:00\n";
    }
    return text;
}

struct TradeFile
{
    QTemporaryDir dir{QString::fromStdString(benchFolder("vantrel-trades-XXXXXX").string())};
    CompanyDatabase database{QStringLiteral("bench-trades")};
    std::string text = tradebook();

    TradeFile()
    {
        const StoreConfig config =
            resolveStoreConfig({}, dir.filePath(QStringLiteral("CompanyList.sqlite")), {});
        if (const StoreStatus opened = database.open(config); !opened) {
            std::fprintf(stderr, "can't prepare the database: %s\n", opened.error().c_str());
            std::exit(1);
        }
    }
};

TradeFile &tradeFile()
{
    static TradeFile file;
    return file;
}

void importOnce(benchmark::State &state)
{
    TradeFile &f = tradeFile();
    std::size_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        (void)f.database.connection().run(QStringLiteral("DELETE FROM TRADES"));
        state.ResumeTiming();
        const Tradebook book = readTradebook(f.text, "tradebook.csv");
        const ImportPreview preview = previewImport(book, f.database.trades().loadAll().value(), 0);
        std::vector<Trade> trades;
        trades.reserve(preview.toAdd.size());
        for (const TradebookRow &row : preview.toAdd)
            trades.push_back(row.trade);
        if (!f.database.trades().insertAll(trades))
            state.SkipWithError("storing failed");
        added = trades.size();
    }
    state.counters["trades"] = double(added);
}

void BM_TradeImport(benchmark::State &state)
{
    importOnce(state);
}
BENCHMARK(BM_TradeImport)->Unit(benchmark::kMillisecond);

void BM_TradeImport_Absolute(benchmark::State &state)
{
    importOnce(state);
}
BENCHMARK(BM_TradeImport_Absolute)->Unit(benchmark::kMillisecond);

// Counting the lines of the same text: the least any reader has to do.
void BM_TradeImportBaseline(benchmark::State &state)
{
    const std::string &text = tradeFile().text;
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const char *p = text.data();
             (p = static_cast<const char *>(std::memchr(p, '\n', text.data() + text.size() - p)));
             ++p)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_TradeImportBaseline)->Unit(benchmark::kMillisecond);

std::vector<Trade> trades()
{
    const Tradebook book = readTradebook(tradebook(), "tradebook.csv");
    std::vector<Trade> out;
    for (const TradebookRow &row : book.rows) {
        out.push_back(row.trade);
        out.back().id = long(out.size());
    }
    return out;
}

void rebuild(benchmark::State &state)
{
    const std::vector<Trade> all = trades();
    // The broker is priced by schedule: every lot by the rates of its own date.
    TradePricing pricing;
    pricing.schedules[0] = BrokerSchedule{{0, 0, 0}, {0.03, 0, 20}, 15.34};
    std::size_t rows = 0;
    for (auto _ : state) {
        const TradeBook book = matchTrades(all, {});
        std::vector<HeldLot> lots;
        lots.reserve(book.open.size());
        for (const OpenLot &open : book.open)
            lots.push_back(HeldLot{ProfileLot{open.buy.companyName, open.buy.exchange,
                                              open.buy.symbol, 0, open.buy.price, open.remaining,
                                              open.buy.brokerId, open.buy.date},
                                   100});
        rows = buildHoldingList(lots, TradeKind::Delivery, pricing, "2026-01-05").rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

void BM_TradeRebuild(benchmark::State &state)
{
    rebuild(state);
}
BENCHMARK(BM_TradeRebuild);

void BM_TradeRebuild_Absolute(benchmark::State &state)
{
    rebuild(state);
}
BENCHMARK(BM_TradeRebuild_Absolute)->Unit(benchmark::kMillisecond);

// Summing the trades' quantities: one pass over the same trades.
void BM_TradeRebuildBaseline(benchmark::State &state)
{
    const std::vector<Trade> all = trades();
    for (auto _ : state) {
        long held = 0;
        for (const Trade &t : all)
            held += t.side == TradeSide::Buy ? t.quantity : -t.quantity;
        benchmark::DoNotOptimize(held);
    }
}
BENCHMARK(BM_TradeRebuildBaseline);
} // namespace
