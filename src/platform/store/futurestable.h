#pragma once

#include "core/store/stores.h"

class QSqlQuery;
class StoreConnection;

// Both futures tables have the same columns (Underlying, Symbol) and are read the same way.
FutureRow readFutureRow(const QSqlQuery &query);

// Owns the statements of table Future, the catalogue of futures contracts.
class FuturesTable : public FutureCatalogue
{
public:
    explicit FuturesTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<FutureRow>> loadAll() override;

private:
    const StoreConnection &m_connection;
};
