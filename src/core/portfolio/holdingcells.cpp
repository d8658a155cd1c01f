#include "core/portfolio/holdingcells.h"

#include "core/gains/holdingreturns.h"
#include "core/net/displayformat.h"

namespace holdingcol {
const std::array<std::string, Count> &headers()
{
    static const std::array<std::string, Count> titles = {
        "Stock Name", "Index",     "Indx Name ", "Broker ID", "Qty   ",  "Avg CP", "Mrkt P",
        "Cng%",       "CP+Brkrge", "You'll Get", "Net P/L ",  "Nt P/L%", "XIRR"};
    return titles;
}

const std::array<int, Count> &widths()
{
    static const std::array<int, Count> pixels = {107, 0, 0, 0, 45, 55, 55, 45, 70, 70, 70, 52, 60};
    return pixels;
}

bool isText(int column)
{
    return column == Name || column == Index || column == Symbol;
}

bool followsPrice(int column)
{
    return column == MarketPrice || column == ChangePercent || column == YouGet ||
           column == NetProfitLoss || column == NetProfitLossPercent;
}
} // namespace holdingcol

double holdingCellNumber(const HoldingRow &row, int column)
{
    using namespace holdingcol;
    switch (column) {
    case BrokerId:
        return static_cast<double>(row.brokerId);
    case Quantity:
        return static_cast<double>(row.quantity);
    case AverageCost:
        return row.averageCost;
    case MarketPrice:
        return row.marketPrice;
    case ChangePercent:
        return row.changePercent;
    case CostPlusCharges:
        return row.costPlusCharges;
    case YouGet:
        return row.youGet;
    case NetProfitLoss:
        return row.netProfitLoss;
    case NetProfitLossPercent:
        return row.netProfitLossPercent;
    case Xirr:
        return row.xirr.value_or(0) * 100;
    default:
        return 0;
    }
}

std::string holdingCellText(const HoldingRow &row, int column)
{
    using namespace holdingcol;
    switch (column) {
    case Name:
        return row.companyName;
    case Index:
        return row.exchange;
    case Symbol:
        return row.symbol;
    case BrokerId:
        return std::to_string(row.brokerId);
    case Quantity:
        return formatQuantity(static_cast<double>(row.quantity));
    case Xirr:
        if (!row.xirr)
            return row.xirrNeedsDates ? NoXirrWithoutDates : "N/A";
        return formatDisplay(holdingCellNumber(row, column)) + '%';
    default:
        return formatDisplay(holdingCellNumber(row, column));
    }
}

Rgb signColour(double value)
{
    const double seen = shown(value);
    return seen > 0 ? colours::DarkGreen : seen < 0 ? colours::Red : colours::Blue;
}

Rgb holdingCellColour(const HoldingRow &row, int column)
{
    using namespace holdingcol;
    switch (column) {
    case MarketPrice:
    case ChangePercent:
        return signColour(row.changePercent);
    case NetProfitLoss:
    case NetProfitLossPercent:
        return signColour(row.netProfitLoss);
    case Xirr:
        return row.xirr ? signColour(*row.xirr) : colours::Black;
    default:
        return colours::Black;
    }
}
