// One portfolio refresh of 200 delivery and 80 intraday lots over 50 symbols, every symbol
// quoted: quotes to lots, lots to rows, charges and totals. The baseline sums price x quantity
// over the same lots, the least any valuation has to read.
#include "benchsupport.h"
#include "core/common/messenger.h"
#include "core/portfolio/portfolio.h"
#include "core/store/stores.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {
class LotTable : public ProfileStore
{
public:
    StoreResult<std::vector<ProfileLot>> loadAll() override { return rows; }
    StoreResult<std::vector<ProfileLot>> lots(std::string_view, int) override { return rows; }
    StoreResult<bool> brokerInUse(long) override { return false; }
    StoreStatus removeStock(std::string_view, int) override { return storeOk(); }
    StoreStatus insert(const ProfileLot &) override { return storeOk(); }
    StoreStatus insertLots(const std::vector<ProfileLot> &) override { return storeOk(); }
    StoreStatus replaceStock(std::string_view, int, const std::vector<ProfileLot> &) override
    {
        return storeOk();
    }
    std::vector<ProfileLot> rows;
};

struct Scene
{
    LotTable table;
    SilentMessenger messenger;
    Portfolio portfolio{table, messenger};
    std::vector<BrokerEntry> brokers;

    Scene()
    {
        for (long id = 1; id <= 5; ++id) {
            brokers.push_back(newBroker());
            brokers.back().id = id;
            brokers.back().name = id == 3 ? "ICICI Direct" : "Broker " + std::to_string(id);
        }
        for (int i = 0; i < 280; ++i) {
            const bool intraday = i >= 200;
            const std::string symbol = "STOCK" + std::to_string(i % 50);
            table.rows.push_back(ProfileLot{symbol + " Limited", i % 7 ? "NSE" : "BSE", symbol,
                                            intraday ? 1 : 0, 100.0 + i % 37 * 1.25, 10L + i % 90,
                                            1L + i % 5});
        }
        portfolio.load();
        portfolio.buildSymbolTable();
        const std::vector<std::string> symbols = portfolio.quoteSymbols();
        for (std::size_t k = 0; k < symbols.size(); ++k) {
            QuoteRecord *q = portfolio.quoteTarget(k, symbols[k]);
            q->last = 110.0 + double(k % 13);
            q->change = k % 3 ? 1.5F : -0.75F;
        }
    }
};

void BM_PortfolioRefresh(benchmark::State &state)
{
    Scene scene;
    for (auto _ : state) {
        auto warnings = scene.portfolio.refresh(scene.brokers);
        benchmark::DoNotOptimize(warnings);
        benchmark::DoNotOptimize(scene.portfolio.list(TradeKind::Delivery).totals);
    }
}
BENCHMARK(BM_PortfolioRefresh)->Unit(benchmark::kMicrosecond);
// The same figure, printed in milliseconds by ratios.py: it has to stay well under 2 ms.
BENCHMARK(BM_PortfolioRefresh)->Name("BM_PortfolioRefresh_Absolute")->Unit(benchmark::kMicrosecond);

void BM_PortfolioRefreshBaseline(benchmark::State &state)
{
    Scene scene;
    for (auto _ : state) {
        double sum = 0;
        for (TradeKind kind : {TradeKind::Delivery, TradeKind::Intraday})
            for (const HeldLot &held : scene.portfolio.lots(kind))
                sum += held.lot.price * double(held.lot.quantity);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PortfolioRefreshBaseline)->Unit(benchmark::kMicrosecond);
} // namespace
