#pragma once

#include "core/common/rgb.h"
#include "core/net/quoterecord.h"
#include "core/watch/watchrow.h"

#include <string>
#include <vector>

// The NIFTY box of the ticker: the value, and the change as "(change )", red when it fell.
struct TickerNifty
{
    std::string value;
    std::string change;
    Rgb changeColour;
};
TickerNifty tickerNifty(const QuoteRecord &nifty);

// A piece of the running text in its colour.
struct TickerRun
{
    std::string text;
    Rgb colour;
    bool bold = false;
};

// The running text: for every NSE stock of the watch list, in the list's order, its symbol in
// bold black, the last price in blue and the change in green, or in red when it fell.
std::vector<TickerRun> tickerSegments(const std::vector<WatchedStock> &stocks);
