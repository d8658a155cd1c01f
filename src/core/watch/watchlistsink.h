#pragma once

#include "core/store/storerows.h"

// The watch list's "Add entry": what the company search's new-listing path and the toppers
// panel hand a stock to. The watch list checks its own limits and shows its own messages.
// What became of a stock handed over: added; refused for the list's own reason (full, a
// duplicate), said to the user; or not stored, the store's error said to the user. Only the
// last leaves the caller something to keep: what the user typed, for another try.
enum class AddOutcome { Added, Refused, NotStored };

class WatchListSink
{
public:
    virtual ~WatchListSink() = default;
    virtual AddOutcome addEntry(const WatchRow &row) = 0;
};
