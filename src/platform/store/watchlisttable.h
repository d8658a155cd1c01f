#pragma once

#include "core/store/stores.h"

class StoreConnection;

// Owns the statements of table SelectedComp2Watch.
class WatchListTable : public WatchListStore
{
public:
    explicit WatchListTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<WatchRow>> load() override;
    StoreStatus save(const std::vector<WatchRow> &rows) override;
    StoreStatus insert(const WatchRow &row) override;
    StoreResult<bool> setAlert(std::string_view symbol, int alert, double lowerLimit,
                               double upperLimit) override;
    StoreResult<std::vector<WatchRow>> nseRows() override;

private:
    const StoreConnection &m_connection;
};
