#pragma once

#include "core/trades/tradestore.h"

class StoreConnection;

// Owns the statements of table BROKERSCHEDULE.
class BrokerScheduleTable : public BrokerScheduleStore
{
public:
    explicit BrokerScheduleTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::map<long, BrokerSchedule>> loadAll() override;
    StoreStatus set(long brokerId, const std::optional<BrokerSchedule> &schedule) override;

private:
    const StoreConnection &m_connection;
};
