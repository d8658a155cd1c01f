#pragma once

#include "core/net/quoterecord.h"
#include "core/shell/indexboard.h"
#include "core/store/storerows.h"

#include <array>
#include <cstdint>
#include <string>

// What the watch list remembers of the refresh before: the volume and price it saw, and
// whether it has seen a non-zero price at all.
struct PreviousValues
{
    std::int32_t volume = 0;
    double price = 0;
    int taken = 0;
};

// The six check boxes of the panel, as they stand when the panel opens.
struct WatchSwitches
{
    bool alertsPopUp = false;
    bool myConfigured = true;
    bool dayHighLow = true;
    bool yearHighLow = false;
    bool intraday = false;
    bool liveData = false;
};

namespace watchcol {
// The list's columns in order; "Indx" is the exchange, as its header says.
enum Column : int {
    Name,
    Indx,
    Symbol,
    Price,
    Change,
    Percent,
    Volume,
    Open,
    High,
    Low,
    YearLow,
    YearHigh,
    Alert,
    LowerLimit,
    UpperLimit,
    PrevVolume,
    PrevTaken,
    PrevPrice,
    Count
};
const std::array<std::string, Count> &headers();
// Pixels; 0 hides the column.
const std::array<int, Count> &widths();
bool alignedLeft(int column);
} // namespace watchcol

// One list row, rebuilt from entry, quote and previous values at every refresh. The cell
// texts are what the list shows; colours, alerts, logging and export read them back.
struct WatchListRow
{
    std::string companyName;
    std::string exchange;
    std::string symbol;
    double last = 0;
    float change = 0;
    float percent = 0;
    std::int32_t volume = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double yearLow = 0;
    double yearHigh = 0;
    int alert = 0;
    double lowerLimit = 0;
    double upperLimit = 0;
    std::int32_t previousVolume = 0;
    int previousTaken = 0;
    double previousPrice = 0;
    std::array<std::string, watchcol::Count> cells;

    const std::string &cell(int column) const { return cells[static_cast<std::size_t>(column)]; }
    // The cell's number, read back the way every reader of the list reads it.
    double value(int column) const;
    bool isNse() const { return exchange == "NSE"; }
};

WatchListRow buildWatchRow(const WatchRow &entry, const QuoteRecord &quote,
                           const PreviousValues &previous);

CellColours watchCellColours(const WatchListRow &row, int column, const WatchSwitches &switches);
