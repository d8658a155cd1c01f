// A chart-data reply on its way to the charting program: the program's lines past the header
// block, handed over as a backfill text, and the bars vantrel-chartbook makes of it. Bars that
// are accepted are possible bars: one per minute in time order, the low above zero and below
// the open and close, the high above them, finite prices and no negative volume.
#include "core/backfilltext.h"
#include "core/chartlink/backfill.h"
#include "core/net/replylines.h"
#include "property.h"

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const auto kind =
        in.byte() & 1 ? chartlink::BackfillKind::FiveMinute : chartlink::BackfillKind::OneMinute;
    const std::vector<std::string> lines = replyLines(in.rest());
    for (const std::string &line : lines)
        FUZZ_REQUIRE(line.find('\n') == std::string::npos);
    const std::string text = chartlink::backfillData(lines, kind);

    std::vector<Bar> bars;
    std::string error;
    if (!parseBackfillText(text, bars, error)) {
        FUZZ_REQUIRE(!error.empty());
        return 0;
    }
    FUZZ_REQUIRE(bars.size() <=
                 static_cast<std::size_t>(std::count(text.begin(), text.end(), '*')));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const Bar &b = bars[i];
        FUZZ_REQUIRE(b.time % 60 == 0 && (i == 0 || bars[i - 1].time < b.time));
        FUZZ_REQUIRE(std::isfinite(b.open) && std::isfinite(b.close) && std::isfinite(b.high));
        FUZZ_REQUIRE(b.low > 0 && b.low <= std::min(b.open, b.close));
        FUZZ_REQUIRE(std::max(b.open, b.close) <= b.high);
        FUZZ_REQUIRE(b.volume >= 0);
    }
    return 0;
}
