#include "core/toppers/topperswatch.h"

#include "core/common/messenger.h"
#include "core/store/stores.h"
#include "core/watch/watchlistsink.h"

#include <algorithm>

namespace topperswatch {
void add(WatchListSink *openWatchList, WatchListStore &table, Messenger &messenger,
         const WatchRow &row)
{
    if (openWatchList) {
        openWatchList->addEntry(row);
        return;
    }
    auto stored = table.load();
    if (!stored) {
        messenger.inform(stored.error());
        return;
    }
    const std::vector<WatchRow> &rows = stored.value();
    if (rows.size() >= 50) {
        messenger.inform(Full);
        return;
    }
    if (std::any_of(rows.begin(), rows.end(),
                    [&](const WatchRow &r) { return r.symbol == row.symbol; })) {
        messenger.inform(Duplicate);
        return;
    }
    if (const StoreStatus done = table.insert(row); !done)
        messenger.inform(done.error());
}
} // namespace topperswatch
