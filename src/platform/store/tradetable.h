#pragma once

#include "core/trades/tradestore.h"

#include <QString>

class StoreConnection;

// Owns the statements of table TRADES.
class TradeTable : public TradeStore
{
public:
    explicit TradeTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<Trade>> loadAll() override;
    StoreStatus insertAll(const std::vector<Trade> &trades) override;
    StoreResult<bool> update(const Trade &trade) override;
    StoreStatus remove(long tradeId) override;

    // One trade, inside the caller's transaction.
    StoreStatus insert(const Trade &trade);

private:
    const StoreConnection &m_connection;
};

// The columns of TRADES after its key, in the order tradeValues() gives them.
const QString &tradeColumns();
