#pragma once

#include "core/store/storerows.h"

class Messenger;
class WatchListSink;
class WatchListStore;

// "Add to Watch List" from the toppers: through the watch list when it is open, which checks
// and tells by its own rules; otherwise straight into its table, refused when the table holds
// 50 stocks or the symbol already, under either exchange.
namespace topperswatch {
inline constexpr const char *Full = "Sorry!!! You can't add more than 50 stocks in Watchlist";
inline constexpr const char *Duplicate = "Selected company is already added in the choice list";

void add(WatchListSink *openWatchList, WatchListStore &table, Messenger &messenger,
         const WatchRow &row);
} // namespace topperswatch
