#pragma once

#include "market.h"

#include <cstdint>
#include <string>
#include <vector>

// GET /instrument/1.0/SYMBOL/chartdata;type=quote;range=1d/csv/ (or range=5d): the bars of
// the day's chart (one minute each) or of the five-day chart (five minutes each), up to now, so the
// last close is the quote's last price. A header block comes first: 14 lines for one day, 19 for
// five days (one more per day), which readers drop by count. Then one line per bar, oldest first:
//   Timestamp,close,high,low,open,volume
// where Timestamp counts seconds of the market's local time since 1970-01-01 to the bar's
// first minute.
std::vector<std::string> chartDataLines(const ChartSubject &subject, bool fiveDays);
