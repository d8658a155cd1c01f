#include "core/net/quoteparser.h"
#include "core/shell/indexboard.h"

#include <gtest/gtest.h>

// The rows, the previous price and the current price's colours after each refresh are checked
// on the main bar against the simulator; these are the texts it can't stage.
TEST(IndexBoard, RowsShowThePercentChangeAndNoYearRange)
{
    IndexBoard board;
    parseQuoteLine("\"^NSEI\",24000,\"12/4/2026\",\"3:30pm\",100,1,2,3,400,5,6",
                   *board.quoteTarget(0, "^NSEI"));
    board.updateRows();
    EXPECT_EQ(IndexBoard::cellText(board.rows()[0], 4), "0.42");
    EXPECT_EQ(board.rows()[0].yearHigh, 0) << "the year range is not copied into a row";
}

TEST(IndexBoard, ColoursReadTheDisplayedTextsBack)
{
    QuoteRecord row;
    row.last = 100;
    row.previousLast = 100.001; // shown as 100.00: equal once read back
    EXPECT_EQ(indexCellColours(1, row).background, colours::Blue);
    row.change = 1500.5f;
    EXPECT_EQ(indexCellColours(3, row).text, colours::DarkGreen)
        << "read back through the grouped text";
    EXPECT_EQ(indexCellColours(4, row).text, colours::DarkGreen);
    row.change = 0;
    EXPECT_EQ(indexCellColours(4, row).text, colours::Blue);
    row.change = -0.001f; // displays as -0.00, which reads back as 0
    EXPECT_EQ(indexCellColours(3, row).text, colours::Blue);
    row.change = -3;
    EXPECT_EQ(indexCellColours(3, row).text, colours::Red);
    EXPECT_EQ(indexCellColours(3, row).background, colours::White);
    EXPECT_EQ(indexCellColours(5, row).text, colours::Black);
    EXPECT_EQ(indexCellColours(0, row).background, colours::White);
}
