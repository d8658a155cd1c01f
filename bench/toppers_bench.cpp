// A whole BSE sweep against the simulator on loopback, from GET LATEST DATA to the filled
// list, as the panel's event loop runs it. The baseline sends the same batch requests at once
// from bare cpp-httplib clients on threads of their own and only counts the reply bytes: the
// least any sweep has to wait for. The sweep also reports the longest the event loop went
// without turning, which is what a user would see as a stutter.
#include "core/toppers/toppersscan.h"
#include "platform/net/simulatorprocess.h"
#include "platform/store/companydatabase.h"
#include "platform/toppers/topperssweep.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {
// The simulator, the BSE companies in the panel's order and a Qt application to run on, made
// once for every run of either benchmark.
struct Market
{
    QTemporaryDir dir;
    SimulatorProcess sim;
    std::vector<CompanyRow> listed;
    bool ready = false;

    Market()
    {
        CompanyDatabase database(QStringLiteral("toppers-bench"));
        if (!database.open(resolveStoreConfig({}, dir.filePath("companies.sqlite"), {})) ||
            // The simulator stands in for a remote service but shares this machine's two
            // cores: it runs at a lower priority, so that the stall figure is this program's
            // own and not the time the service's threads took the processor from it.
            !sim.start(QStringLiteral("nice"),
                       {"-n", "10", SimulatorProcess::locate(), "--port", "0", "--seed", "7",
                        "--clock", "2026-12-04T11:00:00"}))
            return;
        listed = database.companyList().listedOn(Exchange::Bse).value();
        ready = !listed.empty();
    }
    static Market &get()
    {
        static Market market;
        return market;
    }
};

struct SweepResult
{
    std::size_t rows = 0;
    double stallMs = 0;
};

// One GET LATEST DATA of the panel, whose scan and sessions stay from one sweep to the next.
SweepResult sweepOnce(Market &market)
{
    static ToppersScan scan;
    static ToppersSweep sweep(scan);
    SweepResult result;
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    auto sawLoop = [&] {
        const qint64 now = clock.nsecsElapsed();
        result.stallMs = std::max(result.stallMs, (now - lastTick) / 1e6 - 1);
        lastTick = now;
    };
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, sawLoop);
    const QMetaObject::Connection done = QObject::connect(&sweep, &ToppersSweep::finished, [&] {
        result.rows = scan.rows(ToppersFilters{}).size();
        sawLoop();
        loop.quit();
    });
    ticker.start(1);
    clock.start();
    QTimer::singleShot(0, [&] {
        lastTick = clock.nsecsElapsed();
        sweep.start(market.sim.baseUrl().toStdString(), Exchange::Bse, market.listed);
        sawLoop(); // the click itself
    });
    loop.exec();
    QObject::disconnect(done);
    return result;
}

void BM_ToppersSweep(benchmark::State &state)
{
    Market &market = Market::get();
    if (!market.ready) {
        state.SkipWithError("no simulator or no company list");
        return;
    }
    sweepOnce(market); // the simulator's year of history for each stock is worked out once
    double stall = 0;
    for (auto _ : state) {
        const SweepResult r = sweepOnce(market);
        stall = std::max(stall, r.stallMs);
        benchmark::DoNotOptimize(r.rows);
    }
    state.counters["stall_ms"] = stall;
}
BENCHMARK(BM_ToppersSweep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
// The same figure in milliseconds: the list has to be filled well within half a second.
BENCHMARK(BM_ToppersSweep)
    ->Name("BM_ToppersSweep_Absolute")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

void BM_ToppersSweepBaseline(benchmark::State &state)
{
    Market &market = Market::get();
    if (!market.ready) {
        state.SkipWithError("no simulator or no company list");
        return;
    }
    ToppersScan scan;
    const std::vector<ToppersBatch> batches = scan.start(Exchange::Bse, market.listed);
    std::vector<std::string> paths;
    for (const ToppersBatch &batch : batches)
        paths.push_back(scan.batchUrl("", batch));
    const int port = market.sim.port();
    for (auto _ : state) {
        std::atomic<std::size_t> bytes{0};
        std::vector<std::thread> clients;
        for (const std::string &path : paths)
            clients.emplace_back([&, path] {
                httplib::Client client("127.0.0.1", port);
                if (auto reply = client.Get(path))
                    bytes += reply->body.size();
            });
        for (std::thread &t : clients)
            t.join();
        benchmark::DoNotOptimize(bytes.load());
    }
}
BENCHMARK(BM_ToppersSweepBaseline)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
} // namespace
