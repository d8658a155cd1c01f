#pragma once

#include "core/store/stores.h"

#include <algorithm>

// Tables Future and SelectedFuture in memory. Writes fail with a driver text of the test's
// choosing.
class MemoryFutures : public FutureCatalogue, public SelectedFutureStore
{
public:
    StoreResult<std::vector<FutureRow>> loadAll() override { return catalogue; }
    StoreResult<std::vector<FutureRow>> load() override { return chosen; }
    StoreStatus insert(const FutureRow &row) override
    {
        if (!failure.empty())
            return StoreError{failure};
        chosen.push_back(row);
        return storeOk();
    }
    StoreStatus removeSymbol(std::string_view symbol) override
    {
        if (!failure.empty())
            return StoreError{failure};
        std::erase_if(chosen, [&](const FutureRow &r) { return r.symbol == symbol; });
        return storeOk();
    }

    std::vector<FutureRow> catalogue;
    std::vector<FutureRow> chosen;
    std::string failure;
};
