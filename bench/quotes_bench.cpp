// The line parser and the display formatter, each against the bare C-library work it does.
#include "core/net/displayformat.h"
#include "core/net/quoteparser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> replyLines()
{
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> price(20, 30000);
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i) {
        const double p = price(rng);
        char line[256];
        std::snprintf(
            line, sizeof line,
            "\"SYM%d.NS\",%.2f,\"12/4/2026\",\"3:29pm\",%+.2f,%.2f,%.2f,%.2f,%d,%.2f,%.2f", i, p,
            p * 0.01, p * 0.99, p * 1.02, p * 0.98, 100000 + i * 37, p * 0.7, p * 1.4);
        lines.emplace_back(line);
    }
    return lines;
}

const std::vector<std::string> &lines()
{
    static const std::vector<std::string> l = replyLines();
    return l;
}

void BM_ParseLine(benchmark::State &state)
{
    QuoteRecord r;
    for (auto _ : state)
        for (const std::string &line : lines()) {
            parseQuoteLine(line, r);
            benchmark::DoNotOptimize(r);
        }
}
BENCHMARK(BM_ParseLine);

// The least any parser of these lines must do: find the commas and convert the numbers.
void BM_ParseLineBaseline(benchmark::State &state)
{
    for (auto _ : state)
        for (const std::string &line : lines()) {
            const char *p = line.c_str();
            double sum = 0;
            long volume = 0;
            for (int field = 0; field < 11 && p; ++field) {
                if (field == 8)
                    volume = std::strtol(p, nullptr, 10);
                else if (field != 0 && field != 2 && field != 3)
                    sum += std::strtod(p, nullptr);
                p = std::strchr(p, ',');
                if (p)
                    ++p;
            }
            benchmark::DoNotOptimize(sum);
            benchmark::DoNotOptimize(volume);
        }
}
BENCHMARK(BM_ParseLineBaseline);

std::vector<double> values()
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> v(-2000000, 2000000);
    std::vector<double> out(1000);
    for (double &d : out)
        d = v(rng);
    return out;
}

void BM_FormatDisplay(benchmark::State &state)
{
    const std::vector<double> vs = values();
    for (auto _ : state)
        for (double v : vs)
            benchmark::DoNotOptimize(formatDisplay(v));
}
BENCHMARK(BM_FormatDisplay);

void BM_FormatDisplayBaseline(benchmark::State &state)
{
    const std::vector<double> vs = values();
    char buffer[64];
    for (auto _ : state)
        for (double v : vs) {
            std::snprintf(buffer, sizeof buffer, "%.2f", v);
            benchmark::DoNotOptimize(buffer);
        }
}
BENCHMARK(BM_FormatDisplayBaseline);

} // namespace
