#pragma once

#include "core/watch/watchalerts.h"

#include <string>
#include <vector>

class Clock;
class DataLogger;
class IndexBoard;
class WatchList;

// What one refresh has to tell the user: the writers' problems not told before, then the
// alert message.
struct WatchRefreshReport
{
    std::vector<std::string> problems;
    std::string alert;
    std::vector<AlertNotice> notices; // the same alerts, one per stock
};

// One refresh of the watch list, whether the panel is shown or not: the rows, the data files
// by the market hours and switches, the values kept for the next refresh, the alerts.
WatchRefreshReport refreshWatchList(WatchList &list, const IndexBoard &board, DataLogger &logger,
                                    const Clock &clock);
