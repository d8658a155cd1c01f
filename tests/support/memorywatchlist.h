#pragma once

#include "core/store/stores.h"

// The watch list table in memory: loaded and saved whole, or added to a row at a time. Saves
// are counted; loading or saving fails with a driver text of the test's choosing.
class MemoryWatchList : public WatchListStore
{
public:
    StoreResult<std::vector<WatchRow>> load() override
    {
        return loadFailure.empty() ? StoreResult<std::vector<WatchRow>>(rows)
                                   : StoreError{loadFailure};
    }
    StoreStatus save(const std::vector<WatchRow> &list) override
    {
        ++saves;
        if (!failure.empty())
            return StoreError{failure};
        rows = list;
        return storeOk();
    }
    StoreStatus insert(const WatchRow &row) override
    {
        rows.push_back(row);
        return storeOk();
    }
    StoreResult<bool> setAlert(std::string_view, int, double, double) override
    {
        return StoreError{"not used"};
    }
    StoreResult<std::vector<WatchRow>> nseRows() override { return StoreError{"not used"}; }

    std::vector<WatchRow> rows;
    std::string failure;     // saves fail with this text when set
    std::string loadFailure; // the load fails with this text when set
    int saves = 0;
};
