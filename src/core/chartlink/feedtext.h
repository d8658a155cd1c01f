#pragma once

#include "core/shell/indexboard.h"
#include "core/watch/watchrow.h"

#include <string>
#include <vector>

// The texts the charting program is handed. Prices are written as the lists show them with
// the grouping commas removed, so the charting program sees the figures the user sees.
namespace chartlink {

// One feed cycle: NIFTY and SENSEX once the main bar holds a previous value, then every NSE
// stock of the list with a previous price, records joined by "*".
std::string feedText(const IndexBoard &board, const std::vector<WatchedStock> &stocks);

// The stock list to synchronise: each NSE symbol followed by ",", then "NIFTY,SENSEX,".
std::string syncList(const std::vector<WatchedStock> &stocks);

} // namespace chartlink
