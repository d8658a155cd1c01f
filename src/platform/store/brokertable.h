#pragma once

#include "core/store/stores.h"

class StoreConnection;

// Owns the statements of table BROKERLIST.
class BrokerTable : public BrokerStore
{
public:
    explicit BrokerTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<BrokerEntry>> loadAll() override;
    StoreResult<std::optional<BrokerEntry>> findByName(std::string_view name) override;
    StoreStatus insert(const BrokerEntry &broker) override;
    StoreResult<bool> update(long brokerId, const BrokerEntry &broker) override;
    StoreResult<bool> removeUnused(long brokerId) override;

private:
    const StoreConnection &m_connection;
};
