#pragma once

#include "core/store/storeresult.h"
#include "core/trades/tradematcher.h"

#include <map>
#include <set>
#include <string>

class StoreConnection;

// Owns the statements of table SALERESULT: each sale's realised result as it was figured when
// the sale was recorded. A sale's result depends on every earlier trade of its symbol (first
// in first out), so whenever a trade is added, changed or removed, the results of all sales of
// its symbol are figured again in the same transaction, with the brokers' pricing of that
// moment. Changing a broker's rates alone leaves recorded results as they are.
class SaleResultTable
{
public:
    explicit SaleResultTable(const StoreConnection &connection) : m_connection(connection) {}

    // The stored results by sale trade id, without their lots.
    StoreResult<std::map<long, SaleResult>> loadAll();
    // Figures again the results of every sale of these symbols (every sale when all is set)
    // and drops those of trades that are gone, inside the caller's transaction.
    StoreStatus restate(const std::set<std::string> &symbols, bool all = false);

private:
    const StoreConnection &m_connection;
};
