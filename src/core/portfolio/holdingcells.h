#pragma once

#include "core/common/rgb.h"
#include "core/portfolio/holdingrow.h"

#include <array>
#include <string>

// The holding lists' columns, cells and colours. The exchange, symbol and broker id columns
// are not seen (width 0) but carry what Edit, Delete and the double click need.
namespace holdingcol {
enum Column : int {
    Name,
    Index,
    Symbol,
    BrokerId,
    Quantity,
    AverageCost,
    MarketPrice,
    ChangePercent,
    CostPlusCharges,
    YouGet,
    NetProfitLoss,
    NetProfitLossPercent,
    Xirr,
    Count
};
const std::array<std::string, Count> &headers();
const std::array<int, Count> &widths(); // pixels
bool isText(int column);
// The figures that move with the market price: drawn in italics when it is not live.
bool followsPrice(int column);
} // namespace holdingcol

std::string holdingCellText(const HoldingRow &row, int column);
// The number behind a cell, unrounded; 0 for the text columns.
double holdingCellNumber(const HoldingRow &row, int column);
// Text colour on white: the day's change and the net result by their sign as shown.
Rgb holdingCellColour(const HoldingRow &row, int column);

// The colour of an unrealized profit/loss total by its sign as shown.
Rgb signColour(double value);
