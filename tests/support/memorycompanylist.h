#pragma once

#include "core/store/stores.h"

#include <algorithm>
#include <cctype>

// The company list in memory, for the rules that sit on top of it: it matches names without
// regard to case, counts the searches that reach it and can be told to fail.
class MemoryCompanyList : public CompanyListStore
{
public:
    StoreResult<std::vector<CompanyRow>> searchByName(std::string_view part,
                                                      Exchange exchange) override
    {
        ++queries;
        if (!failure.empty())
            return StoreError{failure};
        std::vector<CompanyRow> found;
        for (const auto &row : rows)
            if (!row.symbol(exchange).empty() &&
                upper(row.name).find(upper(std::string(part))) != std::string::npos)
                found.push_back(row);
        return found;
    }
    StoreResult<std::vector<CompanyRow>> listedOn(Exchange exchange) override
    {
        return searchByName("", exchange);
    }
    StoreResult<bool> hasSymbol(Exchange exchange, std::string_view symbol) override
    {
        if (!failure.empty())
            return StoreError{failure};
        return std::ranges::any_of(rows,
                                   [&](const auto &row) { return row.symbol(exchange) == symbol; });
    }
    StoreStatus insert(const CompanyRow &row) override
    {
        rows.push_back(row);
        return storeOk();
    }

    std::vector<CompanyRow> rows;
    std::string failure; // when set, searches and look-ups fail with this text
    int queries = 0;     // the searches that reached it

private:
    static std::string upper(std::string text)
    {
        for (char &c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }
};
