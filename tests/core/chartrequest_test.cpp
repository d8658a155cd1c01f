#include "core/charts/chartrequest.h"

#include <gtest/gtest.h>

TEST(ChartRequest, SymbolGetsTheExchangeSuffixOnlyForNseAndBse)
{
    EXPECT_EQ(ChartRequest("INFY", "NSE").chartPath(), "/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c=");
    EXPECT_EQ(ChartRequest("500325", "BSE").requestSymbol(), "500325.BO");
    EXPECT_EQ(ChartRequest("500325", "BSE").rangePath(), "/d/quotes.csv?s=500325.BO&f=w");
    EXPECT_EQ(ChartRequest("^NSEBANK", "").requestSymbol(), "^NSEBANK");
    EXPECT_EQ(ChartRequest("^NSEI", "24,012.35").requestSymbol(), "^NSEI") << "the index list passes its price";
    EXPECT_EQ(ChartRequest("M&M", "NSE").chartPath().substr(0, 14), "/z?s=M%26M.NS&");
}

TEST(ChartRequest, OptionsAndItemsBuildTheQuery)
{
    ChartRequest r("INFY", "NSE");
    EXPECT_TRUE(r.addAverage(",m50"));
    r.addIndicator(",r14");
    EXPECT_EQ(r.chartPath(), "/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=,m50&a=,r14&c=");
    r.addIndicator(",v");
    r.addIndicator(",v");
    r.setRange("2y");
    r.setType("c");
    r.setScale("on");
    r.setSize("l");
    r.addOverlay(",b");
    r.setCompare(true);
    EXPECT_EQ(r.chartPath(), "/z?s=INFY.NS&t=2y&q=c&l=on&z=l&p=,m50,b&a=,r14,v,v&c=^BSESN,^NSEI");
    r.setCompare(false);
    EXPECT_EQ(r.chartPath().substr(r.chartPath().size() - 3), "&c=");
}

TEST(ChartRequest, AtMostFiveAveragesInClickOrder)
{
    ChartRequest r("X", "NSE");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(r.addAverage(",m5"));
    EXPECT_TRUE(r.addAverage(",e5"));
    EXPECT_TRUE(r.addAverage(",e10"));
    EXPECT_FALSE(r.addAverage(",e20"));
    EXPECT_FALSE(r.addAverage(",e50"));
    EXPECT_EQ(r.averages(), ",m5,m5,m5,e5,e10");
    r.addOverlay(",v"); // overlays have no limit
    EXPECT_EQ(r.averages(), ",m5,m5,m5,e5,e10,v");
}

TEST(ChartRequest, RangeLineLosesQuotesAndBlanks)
{
    EXPECT_EQ(cleanRangeLine("  \"900.00 - 1600.00\"\r"), "900.00 - 1600.00");
    EXPECT_EQ(cleanRangeLine("\"N/A\""), "N/A");
}
