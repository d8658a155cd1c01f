#pragma once

#include "core/trades/tradestore.h"

#include <QString>

#include <set>

class StoreConnection;

// Owns the statements of table TRADES. Every change through insertAll, update and remove
// figures the stored results of the sales of the symbols it touched again, in its transaction.
class TradeTable : public TradeStore
{
public:
    explicit TradeTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<Trade>> loadAll() override;
    StoreStatus insertAll(const std::vector<Trade> &trades) override;
    StoreResult<bool> update(const Trade &trade) override;
    StoreStatus remove(long tradeId) override;

    // One trade, inside the caller's transaction; the stored results are the caller's to
    // figure again.
    StoreStatus insert(const Trade &trade);

private:
    // Empty when there is no such trade.
    StoreResult<std::string> symbolOf(long tradeId) const;

    const StoreConnection &m_connection;
};

// The columns of TRADES after its key, in the order tradeValues() gives them.
const QString &tradeColumns();
