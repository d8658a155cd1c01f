#pragma once

#include "core/net/quoterecord.h"
#include "core/shell/indexboard.h"
#include "core/store/storerows.h"

#include <array>
#include <cstdint>
#include <string>

// What a refresh of the watch list saw of a stock: the volume and price, and whether a
// non-zero price has been seen at all.
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

// One stock of the watch list: its table entry, its latest quote and what the refreshes saw.
// The list shows it as of the last refresh, so the price is judged against `previous` until
// the next refresh moves `next` there.
struct WatchedStock
{
    WatchRow entry;
    QuoteRecord quote;
    PreviousValues previous; // seen by the refresh before the one shown
    PreviousValues next;     // seen by the refresh shown

    float percent() const;
    bool isNse() const { return entry.exchange == "NSE"; }
};

namespace watchcol {
// The list's columns in order; "Indx" is the exchange, as its header says.
enum Column : int { Name, Indx, Price, Change, Percent, Volume, Open, High, Low, Count };
const std::array<std::string, Count> &headers();
const std::array<int, Count> &widths(); // pixels
bool alignedLeft(int column);
bool isText(int column); // the name and the exchange; the other columns are numbers
} // namespace watchcol

// The cell as the list shows it.
std::string watchCellText(const WatchedStock &stock, int column);
// The quote fields (quotefield bits) a numeric cell is made from.
std::uint16_t watchCellFields(int column);
// The number behind a numeric cell, unrounded.
double watchCellNumber(const WatchedStock &stock, int column);

CellColours watchCellColours(const WatchedStock &stock, int column, const WatchSwitches &switches);
