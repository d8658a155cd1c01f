#pragma once

#include "core/store/stores.h"

class StoreConnection;

// Owns the statements of table PROFILELIST.
class LotTable : public ProfileStore
{
public:
    explicit LotTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<ProfileLot>> loadAll() override;
    StoreResult<std::vector<ProfileLot>> lots(std::string_view symbol, int deliveryType) override;
    StoreResult<bool> brokerInUse(long brokerId) override;
    StoreStatus removeStock(std::string_view symbol, int deliveryType) override;
    StoreStatus insert(const ProfileLot &lot) override;
    StoreStatus insertLots(const std::vector<ProfileLot> &lots) override;
    StoreStatus replaceStock(std::string_view symbol, int deliveryType,
                             const std::vector<ProfileLot> &lots) override;

private:
    const StoreConnection &m_connection;
};
