#pragma once

#include "core/common/rgb.h"
#include "core/net/quoterecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One stock of the toppers list: numbers only, the cell texts are made when asked for.
struct ToppersRow
{
    std::string companyName;
    std::string symbol;
    double price = 0;
    float percent = 0; // against the previous close
    std::int32_t volume = 0;
    double turnover = 0; // volume x price
    double open = 0;
    double high = 0;
    double low = 0;
    std::uint16_t missing = 0; // the quote's fields that were N/A (quotefield bits)
    QuoteOrigin origin = {};   // of the price, when the service told it
};

ToppersRow makeToppersRow(const std::string &companyName, const std::string &symbol,
                          const QuoteRecord &quote);

namespace topperscol {
enum Column { Name, Symbol, Price, Percent, Volume, Turnover, Open, High, Low, Count };

const std::array<std::string, Count> &headers();
// Pixels; 0 hides the column, which is still there for the export and the menu.
const std::array<int, Count> &widths();
inline bool alignedLeft(int column)
{
    return column == Name || column == Symbol;
}
} // namespace topperscol

inline constexpr const char *ToppersTip = "Double Click Stocks to see their Historical Chart";
inline constexpr const char *ToppersColourLegend =
    "COLORS above:\nGREEN :    Price\nis above Day High\nRED :     Price is \nbelow Day Low";

// Two decimals with Indian grouping; volume and turnover without the decimals.
std::string toppersCellText(const ToppersRow &row, int column);

struct ToppersColours
{
    Rgb background = colours::White;
    Rgb text = colours::Black;
};
// Judged on the values as shown: price and change by the sign of the change; high and low
// lit when the price has gone past them in the direction of the day's move.
ToppersColours toppersCellColours(const ToppersRow &row, int column);

// A heading click: "%Ch", "Volume" and "Turnover" sort largest first, every time; changes
// that show alike and turnovers in the same thousand count as equal and keep their order, so
// a second click on the same column moves nothing. Rows without the figure go last. Other
// columns leave the list as it is; false then.
bool sortToppers(std::vector<ToppersRow> &rows, int column);
