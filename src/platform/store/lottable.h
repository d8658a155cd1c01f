#pragma once

#include "core/store/stores.h"
#include "platform/store/tradetable.h"

struct OpenLot;
class StoreConnection;

// The portfolio's lots over table TRADES: what the holding lists and their dialogs edit.
class LotTable : public ProfileStore
{
public:
    explicit LotTable(const StoreConnection &connection)
        : m_connection(connection), m_trades(connection)
    {
    }

    StoreResult<std::vector<ProfileLot>> loadAll() override;
    StoreResult<std::vector<ProfileLot>> lots(std::string_view symbol, int deliveryType) override;
    StoreStatus removeStock(std::string_view symbol, int deliveryType) override;
    StoreStatus insert(const ProfileLot &lot) override;
    StoreStatus insertLots(const std::vector<ProfileLot> &lots) override;
    StoreStatus replaceStock(std::string_view symbol, int deliveryType,
                             const std::vector<ProfileLot> &lots) override;

private:
    StoreResult<std::vector<OpenLot>> openLots();
    // Removes what is left of a lot: the whole buy, or the part not yet sold.
    StoreStatus dropLot(const OpenLot &lot);

    const StoreConnection &m_connection;
    TradeTable m_trades;
};
