#include "core/common/markethours.h"
#include "core/shell/barplacement.h"

#include <gtest/gtest.h>

// The six presets are checked on the main bar itself; these are the edge cases.
TEST(BarPlacement, CentreHalvesTruncateSeparatelyAndNoTaskbarCountsAsZero)
{
    const ScreenRect odd{0, 0, 1025, 769};
    EXPECT_EQ(presetPosition(BarPreset::TopCenter, odd, 0, 583, 100), (ScreenPoint{512 - 291, 0}));
    EXPECT_EQ(presetPosition(BarPreset::BottomLeft, odd, 0, 583, 100), (ScreenPoint{0, 669}));
}

TEST(BarPlacement, PanelsDockUnderTheBarAndMenusStayInside)
{
    EXPECT_EQ(dockPosition(ScreenRect{100, 50, 682, 159}), (ScreenPoint{100, 159}));
    const ScreenRect client{101, 51, 681, 158};
    EXPECT_TRUE(isInside(client, {101, 51}));
    EXPECT_TRUE(isInside(client, {680, 157}));
    EXPECT_FALSE(isInside(client, {100, 60}));
    EXPECT_FALSE(isInside(client, {681, 60}));
}

// 09:55:00, 15:30:01 and a Saturday are checked on the "Live Chart" button.
TEST(Clock, MarketWindowIncludesBothEndsOnWeekdaysOnly)
{
    const MarketWindow live = markethours::LiveChart;
    EXPECT_TRUE(live.contains(makeLocalTime(2026, 12, 4, 15, 30, 0)));
    EXPECT_FALSE(live.contains(makeLocalTime(2026, 12, 4, 9, 54, 59)));
    EXPECT_FALSE(live.contains(makeLocalTime(2026, 12, 6, 12, 0, 0))) << "Sunday";
}
