#pragma once

#include "core/store/stores.h"

// The purchase lots table in memory, in table order. Every write fails with a driver text
// of the test's choosing and then leaves the table as it was, as the transactions do.
class MemoryProfile : public ProfileStore
{
public:
    StoreResult<std::vector<ProfileLot>> loadAll() override
    {
        return loadFailure.empty() ? StoreResult<std::vector<ProfileLot>>(rows)
                                   : StoreError{loadFailure};
    }
    StoreResult<std::vector<ProfileLot>> lots(std::string_view, int) override
    {
        return StoreError{"not used"};
    }
    StoreStatus removeStock(std::string_view symbol, int deliveryType) override
    {
        if (!failure.empty())
            return StoreError{failure};
        std::erase_if(rows, [&](const ProfileLot &l) { return isStock(l, symbol, deliveryType); });
        return storeOk();
    }
    StoreStatus insert(const ProfileLot &lot) override { return insertLots({lot}); }
    StoreStatus insertLots(const std::vector<ProfileLot> &lots) override
    {
        if (!failure.empty())
            return StoreError{failure};
        rows.insert(rows.end(), lots.begin(), lots.end());
        return storeOk();
    }
    StoreStatus replaceStock(std::string_view symbol, int deliveryType,
                             const std::vector<ProfileLot> &lots) override
    {
        if (!failure.empty())
            return StoreError{failure};
        std::vector<ProfileLot> rewritten;
        auto next = lots.begin();
        for (const ProfileLot &lot : rows) {
            if (!isStock(lot, symbol, deliveryType))
                rewritten.push_back(lot);
            else if (next != lots.end())
                rewritten.push_back(*next++);
        }
        rewritten.insert(rewritten.end(), next, lots.end());
        rows = std::move(rewritten);
        return storeOk();
    }

    std::vector<ProfileLot> rows;
    std::string failure;     // writes fail with this text when set
    std::string loadFailure; // loading fails with this text when set

private:
    static bool isStock(const ProfileLot &lot, std::string_view symbol, int deliveryType)
    {
        return lot.symbol == symbol && lot.deliveryType == deliveryType;
    }
};
