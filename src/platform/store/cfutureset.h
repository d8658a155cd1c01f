#pragma once

#include "core/store/stores.h"

class StoreConnection;

// Owns the statements of table Future, the catalogue of futures contracts.
class CFutureset : public FutureCatalogue
{
public:
    explicit CFutureset(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<FutureRow>> loadAll() override;

private:
    const StoreConnection &m_connection;
};
