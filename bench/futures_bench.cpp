// The futures page walk, against the least any reader of the same reply must do: take its
// lines out and find where the contracts start.
#include "core/futures/pagewalk.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// An exchange page as it comes: a long head of menus and scripts, then the contract table.
std::string contractReply()
{
    std::string page = "<html><head><script>var menu = [];</script></head><body>\r\n";
    for (int i = 0; i < 600; ++i)
        page += "<tr><td class=\"nav\"><a href=\"/m" + std::to_string(i) + "\">Menu item " +
                std::to_string(i) + "</a></td></tr>\r\n";
    page += "<table><tr><th>Instrument Type</th><th>Underlying</th><th>Expiry Date</th></tr>\r\n";
    for (const char *expiry : {"31DEC2026", "28JAN2027", "25FEB2027"}) {
        page += "<tr><td>FUTSTK</td><td>INFY</td><td><a href=\"?e\">" + std::string(expiry) +
                "</a></td><td>-</td><td>-</td>";
        for (const char *v : {"1301.62", "1294.25", "1303.28", "0.00", "759", "6903.80", "1294.85"})
            page += "<td class=\"n\">" + std::string(v) + "</td>";
        page += "</tr>\r\n";
    }
    return page + "</table></body></html>\r\n";
}

// Five megabytes of random bytes: what a broken service may send.
std::string junkReply()
{
    std::mt19937 random(5);
    std::string bytes(5 << 20, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

const std::string &reply(bool junk)
{
    static const std::string page = contractReply();
    static const std::string bytes = junkReply();
    return junk ? bytes : page;
}

void walk(benchmark::State &state, bool junk)
{
    for (auto _ : state) {
        auto months = walkContractPage(pageText(reply(junk)));
        benchmark::DoNotOptimize(months);
    }
}

void baseline(benchmark::State &state, bool junk)
{
    for (auto _ : state) {
        const std::string text = pageText(reply(junk));
        benchmark::DoNotOptimize(text.find("Instrument Type"));
    }
}

void BM_FuturesPageWalk(benchmark::State &state)
{
    walk(state, false);
}
BENCHMARK(BM_FuturesPageWalk);

void BM_FuturesPageWalkBaseline(benchmark::State &state)
{
    baseline(state, false);
}
BENCHMARK(BM_FuturesPageWalkBaseline);

void BM_FuturesJunkWalk(benchmark::State &state)
{
    walk(state, true);
}
BENCHMARK(BM_FuturesJunkWalk)->Unit(benchmark::kMillisecond);

void BM_FuturesJunkWalkBaseline(benchmark::State &state)
{
    baseline(state, true);
}
BENCHMARK(BM_FuturesJunkWalkBaseline)->Unit(benchmark::kMillisecond);

} // namespace
