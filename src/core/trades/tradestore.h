#pragma once

#include "core/store/storeresult.h"
#include "core/trades/chargeschedule.h"

#include <map>
#include <optional>
#include <vector>

// The trades of the portfolio (table TRADES), in the order they were stored.
class TradeStore
{
public:
    virtual ~TradeStore() = default;
    virtual StoreResult<std::vector<Trade>> loadAll() = 0;
    // Stores the trades in one transaction, all or none; the database assigns the ids.
    virtual StoreStatus insertAll(const std::vector<Trade> &trades) = 0;
    // Rewrites the trade with the same id; false when there is none.
    virtual StoreResult<bool> update(const Trade &trade) = 0;
    virtual StoreStatus remove(long tradeId) = 0;
};

// The brokers priced by a dated charge schedule (table BROKERSCHEDULE); the others are priced
// by their sixteen percentages.
class BrokerScheduleStore
{
public:
    virtual ~BrokerScheduleStore() = default;
    virtual StoreResult<std::map<long, BrokerSchedule>> loadAll() = 0;
    // Sets or, with none, clears the broker's schedule.
    virtual StoreStatus set(long brokerId, const std::optional<BrokerSchedule> &schedule) = 0;
};
