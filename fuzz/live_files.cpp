// The files the live chart reads: the day's intraday files, which grow while it reads them, and
// the live snapshot. Reading a file in two steps, cut anywhere, gives the points one read of
// the whole file gives; points run forward in time with finite positive prices, and the
// chart's rows and scales follow from them.
#include "core/charts/livechart.h"
#include "property.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
const LocalTime Today{2026, 6, 26, 11, 0, 0, 5};
const std::string Symbol = "RELIANCE";

const std::string &root()
{
    static const std::string folder = [] {
        std::string name =
            (std::filesystem::temp_directory_path() / "vantrel-live-XXXXXX").string();
        const std::string made = mkdtemp(name.data());
        std::filesystem::create_directories(made + "/LiveData");
        std::filesystem::create_directories(made + "/IntraDay/06-26-2026");
        return made;
    }();
    return folder;
}

void write(const std::string &path, std::string_view content, bool append = false)
{
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void checkSeries(const LiveSeries &series)
{
    const auto &points = series.points();
    FUZZ_REQUIRE(points.size() <= LiveSeries::MaxPoints);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const LivePoint &p = points[i];
        FUZZ_REQUIRE(p.seconds >= 0 && p.seconds < 86400);
        FUZZ_REQUIRE(std::isfinite(p.value) && p.value > 0 && std::isfinite(p.volumeValue));
        FUZZ_REQUIRE(i == 0 || points[i - 1].seconds <= p.seconds);
        FUZZ_REQUIRE(p.value <= series.maximum());
    }
    FUZZ_REQUIRE(series.minimum() <= series.maximum());
}

bool samePoints(const LiveSeries &a, const LiveSeries &b)
{
    const auto same = [](const LivePoint &x, const LivePoint &y) {
        return x.time == y.time && x.price == y.price && x.volume == y.volume;
    };
    return std::equal(a.points().begin(), a.points().end(), b.points().begin(), b.points().end(),
                      same);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::size_t cutAt = in.number(2);
    const std::string_view content = in.rest();
    const std::size_t cut = std::min(cutAt, content.size());

    LiveChart stepwise(root());
    const std::string stockFile = stepwise.intradayPath(Today, Symbol);
    write(stockFile, content.substr(0, cut));
    write(stepwise.intradayPath(Today, "NIFTY"), content);
    write(stepwise.livePath(), content);
    FUZZ_REQUIRE(stepwise.load(Symbol, Today).empty());
    write(stockFile, content.substr(cut), true);
    FUZZ_REQUIRE(stepwise.load(Symbol, Today).empty());

    LiveChart whole(root());
    FUZZ_REQUIRE(whole.load(Symbol, Today).empty());
    FUZZ_REQUIRE(samePoints(stepwise.stock(), whole.stock()));

    FUZZ_REQUIRE(whole.readSnapshot().empty());
    checkSeries(whole.stock());
    checkSeries(whole.nifty());
    const auto rows = whole.rows();
    FUZZ_REQUIRE(rows.size() == whole.stock().points().size());
    for (const LiveChart::Row &row : rows)
        FUZZ_REQUIRE(!row.nifty || (std::isfinite(*row.nifty) && *row.nifty > 0));
    const auto scale = whole.stockScale();
    FUZZ_REQUIRE(std::isfinite(scale.lower) && scale.lower <= scale.upper);
    return 0;
}
