#include "core/common/clock.h"
#include "core/controls/bevel.h"
#include "core/shell/barplacement.h"

#include <gtest/gtest.h>

TEST(BarPlacement, PresetsOnAScreenWithABottomTaskbar)
{
    const ScreenRect desktop{0, 0, 1920, 1080};
    const int taskbar = 40, w = 582, h = 109;
    EXPECT_EQ(presetPosition(BarPreset::TopLeft, desktop, taskbar, w, h), (ScreenPoint{0, 0}));
    EXPECT_EQ(presetPosition(BarPreset::TopRight, desktop, taskbar, w, h), (ScreenPoint{1338, 0}));
    EXPECT_EQ(presetPosition(BarPreset::BottomLeft, desktop, taskbar, w, h), (ScreenPoint{0, 931}))
        << "the bar's bottom edge sits on the taskbar's top edge";
    EXPECT_EQ(presetPosition(BarPreset::BottomRight, desktop, taskbar, w, h), (ScreenPoint{1338, 931}));
    EXPECT_EQ(presetPosition(BarPreset::TopCenter, desktop, taskbar, w, h), (ScreenPoint{669, 0}));
    EXPECT_EQ(presetPosition(BarPreset::BottomCenter, desktop, taskbar, w, h), (ScreenPoint{669, 931}));
}

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

TEST(Bevel, WidthOneIsWhiteOverGrey)
{
    const auto rings = bevelRings(1);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].topLeft, (Rgb{255, 255, 255}));
    EXPECT_EQ(rings[0].bottomRight, (Rgb{128, 128, 128}));
    const auto pressed = bevelRings(-1);
    EXPECT_EQ(pressed[0].topLeft, (Rgb{128, 128, 128})) << "pressed swaps the two";
    EXPECT_EQ(pressed[0].bottomRight, (Rgb{255, 255, 255}));
}

TEST(Bevel, WidthTwoShadesInwardsAndPressedEndsNearBlack)
{
    const auto rings = bevelRings(2);
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[0].topLeft, (Rgb{255, 255, 255}));
    EXPECT_EQ(rings[0].bottomRight, (Rgb{127, 127, 127}));
    EXPECT_EQ(rings[1].topLeft, (Rgb{223, 223, 223}));
    EXPECT_EQ(rings[1].bottomRight, (Rgb{85, 85, 85}));
    const auto pressed = bevelRings(-2);
    EXPECT_EQ(pressed[0].topLeft, (Rgb{127, 127, 127}));
    EXPECT_EQ(pressed[0].bottomRight, (Rgb{255, 255, 255}));
    EXPECT_EQ(pressed[1].bottomRight, (Rgb{1, 1, 1}));
    EXPECT_TRUE(bevelRings(0).empty());
}

TEST(Clock, MarketWindowIncludesBothEndsOnWeekdaysOnly)
{
    const int from = 9 * 3600 + 55 * 60, to = 15 * 3600 + 30 * 60;
    EXPECT_EQ(makeLocalTime(2026, 12, 4).weekday, 5) << "4 December 2026 is a Friday";
    EXPECT_TRUE(isWithinMarketWindow(makeLocalTime(2026, 12, 4, 9, 55, 0), from, to));
    EXPECT_TRUE(isWithinMarketWindow(makeLocalTime(2026, 12, 4, 15, 30, 0), from, to));
    EXPECT_FALSE(isWithinMarketWindow(makeLocalTime(2026, 12, 4, 15, 30, 1), from, to));
    EXPECT_FALSE(isWithinMarketWindow(makeLocalTime(2026, 12, 4, 9, 54, 59), from, to));
    EXPECT_FALSE(isWithinMarketWindow(makeLocalTime(2026, 12, 5, 12, 0, 0), from, to)) << "Saturday";
    EXPECT_FALSE(isWithinMarketWindow(makeLocalTime(2026, 12, 6, 12, 0, 0), from, to)) << "Sunday";
}
