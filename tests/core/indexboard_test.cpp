#include "core/net/quoteparser.h"
#include "core/shell/indexboard.h"

#include <gtest/gtest.h>

namespace {
const std::string lineAt(double last, double change)
{
    return "\"^NSEI\"," + std::to_string(last) + ",\"12/4/2026\",\"3:30pm\"," +
           std::to_string(change) + ",1,2,3,400,5,6";
}

CellColours colourOf(const QuoteRecord &row, int column)
{
    return indexCellColours(column, IndexBoard::cellText(row, 1), IndexBoard::cellText(row, 8),
                            IndexBoard::cellText(row, 3));
}
} // namespace

TEST(IndexBoard, RowsCarryThePreviousRefreshsPrice)
{
    IndexBoard board;
    parseQuoteLine(lineAt(24000, 100), *board.quoteTarget(0, "^NSEI"));
    parseQuoteLine(lineAt(80000, -50), *board.quoteTarget(1, "^BSESN"));
    board.updateRows();
    ASSERT_EQ(board.rows().size(), 2u);
    EXPECT_EQ(IndexBoard::cellText(board.rows()[0], 0), "NIFTY");
    EXPECT_EQ(IndexBoard::cellText(board.rows()[1], 0), "SENSEX");
    EXPECT_EQ(IndexBoard::cellText(board.rows()[0], 1), "24,000.00");
    EXPECT_EQ(IndexBoard::cellText(board.rows()[0], 8), "0.00")
        << "no previous price after the first refresh";
    EXPECT_EQ(IndexBoard::cellText(board.rows()[0], 4), "0.42");
    EXPECT_EQ(board.rows()[0].yearHigh, 0) << "the year range is not copied into a row";

    parseQuoteLine(lineAt(24010, 110), *board.quoteTarget(0, "^NSEI"));
    board.updateRows();
    EXPECT_EQ(IndexBoard::cellText(board.rows()[0], 8), "24,000.00");
    EXPECT_EQ(IndexBoard::cellText(board.rows()[1], 8), "80,000.00");
}

TEST(IndexBoard, CurrentPriceColourComparesWithThePreviousPrice)
{
    QuoteRecord row;
    row.last = 100;
    EXPECT_EQ(colourOf(row, 1).background, colours::Black) << "no previous price";
    EXPECT_EQ(colourOf(row, 1).text, colours::White);
    row.previousLast = 100.001; // shown as 100.00: equal once read back
    EXPECT_EQ(colourOf(row, 1).background, colours::Blue);
    row.previousLast = 99;
    EXPECT_EQ(colourOf(row, 1).background, colours::Up);
    EXPECT_EQ(colourOf(row, 1).text, colours::Black);
    row.previousLast = 101;
    EXPECT_EQ(colourOf(row, 1).background, colours::Down);
    EXPECT_EQ(colourOf(row, 1).text, colours::White);
}

TEST(IndexBoard, ChangeColumnsFollowTheSignOfTheChange)
{
    QuoteRecord row;
    row.change = 1500.5f;
    EXPECT_EQ(colourOf(row, 3).text, colours::DarkGreen) << "read back through the grouped text";
    EXPECT_EQ(colourOf(row, 4).text, colours::DarkGreen);
    row.change = 0;
    EXPECT_EQ(colourOf(row, 4).text, colours::Blue);
    row.change = -0.001f; // displays as -0.00, which reads back as 0
    EXPECT_EQ(colourOf(row, 3).text, colours::Blue);
    row.change = -3;
    EXPECT_EQ(colourOf(row, 3).text, colours::Red);
    EXPECT_EQ(colourOf(row, 3).background, colours::White);
    EXPECT_EQ(colourOf(row, 5).text, colours::Black);
    EXPECT_EQ(colourOf(row, 0).background, colours::White);
}
