#pragma once

#include "core/store/companyindex.h"
#include "core/store/stores.h"

#include <array>
#include <optional>
#include <tuple>

class StoreConnection;

// Owns the statements of table CompanyList. On the embedded file the search as typed is
// answered from each exchange's list held in memory, read again whenever the database has
// changed since (a new listing, or a change by any other hand).
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
    // What tells a changed database: the opening, the changes made on this connection and
    // those made by others.
    using Stamp = std::tuple<int, long long, long long>;
    std::optional<Stamp> stamp() const;

    struct Indexed
    {
        Stamp stamp;
        CompanyIndex index;
    };
    const StoreConnection &m_connection;
    std::array<std::optional<Indexed>, 2> m_indexed;
};
