#pragma once

#include "core/store/stores.h"

class StoreConnection;

// Owns the statements of table SelectedFuture, the futures the user watches.
class SelectedFuturesTable : public SelectedFutureStore
{
public:
    explicit SelectedFuturesTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<FutureRow>> load() override;
    StoreStatus insert(const FutureRow &row) override;
    StoreStatus removeSymbol(std::string_view symbol) override;

private:
    const StoreConnection &m_connection;
};
