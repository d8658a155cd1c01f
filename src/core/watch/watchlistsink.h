#pragma once

#include "core/store/storerows.h"

// The watch list's "Add entry": what the company search's new-listing path and the toppers
// panel hand a stock to. The watch list checks its own limits and shows its own messages.
class WatchListSink
{
public:
    virtual ~WatchListSink() = default;
    virtual void addEntry(const WatchRow &row) = 0;
};
