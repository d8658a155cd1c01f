#pragma once

#include "core/gains/grandfathering.h"
#include "core/store/storeresult.h"

#include <string>

class StoreConnection;

// Owns the statements of table JAN2018VALUE: the 31 January 2018 value per share the user
// gave for each company.
class Jan2018ValueTable
{
public:
    explicit Jan2018ValueTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<Jan2018Values> loadAll();
    // Stores or replaces the values given, all or none.
    StoreStatus setAll(const Jan2018Values &values);

private:
    const StoreConnection &m_connection;
};
