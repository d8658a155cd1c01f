#include "core/controls/exportname.h"
#include "core/controls/fieldcheck.h"
#include "core/controls/styledsegment.h"
#include "core/market/indexboardlist.h"
#include "core/net/displayformat.h"
#include "core/net/quoteparser.h"

#include <gtest/gtest.h>

// 00:05:09, 12:00:00 and blank names are checked on the export name dialog.
TEST(ExportName, AfternoonHoursOnTheTwelveHourDialAndTabsAreBlank)
{
    EXPECT_EQ(defaultExportName(makeLocalTime(2008, 6, 27, 15, 59, 7)), "27-06-2008_03-59-07PM");
    EXPECT_FALSE(acceptExportName("   \t ").has_value());
}

TEST(FieldCheck, NumberEditsTakeTheWholeTextWithinTheirRange)
{
    struct Case
    {
        const char *text;
        std::optional<double> value;
        const char *message;
    };
    const char *const notNumber = "Please enter a number.";
    const char *const range = "Please enter a number between 0 and 99999.";
    for (const Case &c : std::initializer_list<Case>{{" 12.5\t", 12.5, ""},
                                                     {".5", 0.5, ""},
                                                     {"1e3", 1000, ""},
                                                     {"99999", 99999, ""},
                                                     {"", {}, notNumber},
                                                     {"12a", {}, notNumber},
                                                     {"1,200", {}, notNumber},
                                                     {"-", {}, notNumber},
                                                     {"nan", {}, notNumber},
                                                     {"-0.01", {}, range},
                                                     {"99999.001", {}, range},
                                                     {"1e400", {}, range}}) {
        const FieldValue<double> taken = takeNumber(c.text, 0, 99999);
        EXPECT_EQ(taken.value, c.value) << c.text;
        EXPECT_EQ(taken.message, c.message) << c.text;
    }
    EXPECT_EQ(numberRangeMessage(0, 0.125), "Please enter a number between 0 and 0.125.");

    EXPECT_EQ(takeInteger(" 250 ", 0, 999999).value, 250);
    EXPECT_EQ(takeInteger("2.5", 0, 999999).message, "Please enter an integer.");
    EXPECT_EQ(takeInteger("99999999999999999999", 0, 999999).message, "Please enter an integer.");
    EXPECT_EQ(takeInteger("1000000", 0, 999999).message,
              "Please enter an integer between 0 and 999999.");
    EXPECT_EQ(takeInteger("-1", 0, 999999).message,
              "Please enter an integer between 0 and 999999.");
}

TEST(StyledSegment, AttributesAndTheButtonFaceStandIn)
{
    StyledSegment::setButtonFace(0x00C0D0E0);
    const StyledSegment plain;
    EXPECT_EQ(plain.background(), 0x00C0D0E0u);
    const StyledSegment s("RELIANCE", StyledSegment::Bold | StyledSegment::colourRef({0, 0, 255}),
                          StyledSegment::ButtonFace);
    EXPECT_EQ(s.background(), 0x00C0D0E0u);
    EXPECT_TRUE(s.bold()) << "the style flags share the word with the colour";
    EXPECT_EQ(s.colour(), (Rgb{0, 0, 255}));
    const StyledSegment red("x", StyledSegment::Underline | 0xFF, 0x123456);
    EXPECT_EQ(red.colour(), (Rgb{255, 0, 0}));
    EXPECT_EQ(red.background(), 0x123456u);
}

TEST(IndexLists, RowsStartAtZeroAndFollowTheirRecords)
{
    IndexQuotes q({indextables::Nse.begin(), indextables::Nse.end()},
                  {indextables::Bse.begin(), indextables::Bse.end()});
    ASSERT_EQ(q.quoteSymbols().size(), 22u);
    const auto before = q.lowerRows();
    ASSERT_EQ(before.size(), 16u);
    EXPECT_EQ(IndexColumns::text(before[0], 2, false), "0.00");
    EXPECT_EQ(IndexColumns::text(before[0], 3, false), "");

    parseQuoteLine("\"^NSEBANK\",12345.60,\"12/4/2026\",\"3:30pm\",-12.50,1,2,3,4,5,6",
                   *q.quoteTarget(4, "^NSEBANK"));
    const IndexRow bank = q.upperRows()[4];
    EXPECT_EQ(bank.name, "BANK NIFTY");
    EXPECT_EQ(IndexColumns::text(bank, 2, false), "12,345.60");
    EXPECT_EQ(IndexColumns::textColour(2, bank.change), colours::Red);
    // A change too small to show reads as the 0.00 the list shows: blue, not green.
    EXPECT_EQ(IndexColumns::textColour(5, 0.004), colours::Blue);
    EXPECT_EQ(IndexColumns::textColour(4, 1234), colours::DarkGreen);
    EXPECT_EQ(IndexColumns::textColour(6, -5), colours::Black);
}

TEST(IndexLists, WorldShowsAnImplausiblePercentAsZero)
{
    IndexRow row;
    row.price = 10;
    row.change = 7.14f;
    row.percent = percentChange(10, 7.14f); // about 250 %
    EXPECT_EQ(IndexColumns::text(row, 5, true), "0.00");
    EXPECT_NE(IndexColumns::text(row, 5, false), "0.00");
    row.percent = -100;
    EXPECT_EQ(IndexColumns::text(row, 5, true), "-100.00");
    row.change = -1234.56f;
    EXPECT_EQ(IndexColumns::text(row, 4, true), "-1,234.56");
}
