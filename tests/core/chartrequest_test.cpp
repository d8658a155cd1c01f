#include "core/charts/chartrequest.h"

#include <gtest/gtest.h>

// The request URLs are checked on the chart panel against the simulator; these are the inputs
// that never reach it there.
TEST(ChartRequest, OddSymbolsAndRangeLines)
{
    EXPECT_EQ(ChartRequest("M&M", "NSE").chartPath().substr(0, 14), "/z?s=M%26M.NS&");
    EXPECT_EQ(ChartRequest("^NSEI", "24,012.35").requestSymbol(), "^NSEI")
        << "the index list passes its price where the exchange goes";
    EXPECT_EQ(cleanRangeLine("  \"900.00 - 1600.00\"\r"), "900.00 - 1600.00");
    EXPECT_EQ(cleanRangeLine("\"N/A\""), "N/A");
}
