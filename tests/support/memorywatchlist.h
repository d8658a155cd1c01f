#pragma once

#include "core/store/stores.h"

// The watch list table in memory. It counts the saves and can be told to fail loading or
// writing with a driver text of the test's choosing.
class MemoryWatchList : public WatchListStore
{
public:
    StoreResult<std::vector<WatchRow>> load() override
    {
        if (!loadFailure.empty())
            return StoreError{loadFailure};
        return rows;
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
        if (!failure.empty())
            return StoreError{failure};
        rows.push_back(row);
        return storeOk();
    }
    StoreResult<bool> setAlert(std::string_view symbol, int alert, double lower, double upper) override
    {
        if (!failure.empty())
            return StoreError{failure};
        for (WatchRow &row : rows)
            if (row.symbol == symbol) {
                row.alert = alert;
                row.lowerLimit = lower;
                row.upperLimit = upper;
                return true;
            }
        return false;
    }
    StoreResult<std::vector<WatchRow>> nseRows() override
    {
        std::vector<WatchRow> nse;
        for (const WatchRow &row : rows)
            if (row.exchange == "NSE")
                nse.push_back(row);
        return nse;
    }

    std::vector<WatchRow> rows;
    std::string failure;     // every write fails with this text when set
    std::string loadFailure; // load fails with this text when set
    int saves = 0;
};
