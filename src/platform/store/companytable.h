#pragma once

#include "core/store/stores.h"

class StoreConnection;

// Owns the statements of table CompanyList.
class CompanyTable : public CompanyListStore
{
public:
    explicit CompanyTable(const StoreConnection &connection) : m_connection(connection) {}

    StoreResult<std::vector<CompanyRow>> searchByName(std::string_view part,
                                                      Exchange exchange) override;
    StoreResult<std::vector<CompanyRow>> listedOn(Exchange exchange) override;
    StoreResult<bool> hasSymbol(Exchange exchange, std::string_view symbol) override;
    StoreStatus insert(const CompanyRow &row) override;

    // The LIKE pattern that finds part anywhere, with "%", "_" and the escape character "!"
    // standing for themselves.
    static std::string containsPattern(std::string_view part);

private:
    const StoreConnection &m_connection;
};
