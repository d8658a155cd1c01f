#pragma once

#include "chartbars.h"
#include "chartoptions.h"
#include "sources/livesource.h"

#include <vector>

// The session the sources' intraday bars fall in: 09:15 to 15:30 India time.
constexpr int LiveOpenMinute = 9 * 60 + 15;
constexpr int LiveSessionMinutes = 375;

// What a source must be asked for to draw a range: the span and how many calendar days back
// (the daily ranges with room for the averages' warm-up).
BarSpan barSpanOf(ChartRange range, int &days);

// A source's bars laid out as a chart of the range: intraday bars on their session's slots
// (the closing-minute stub and bars outside the session left out), daily bars with those
// before the range kept as warm-up. Bars that are not prices (zero, negative, not a number)
// are left out rather than drawn.
ChartSeries seriesFromBars(const std::vector<Bar> &bars, ChartRange range);
