#pragma once

#include "companylist.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The symbol lookup page: listed companies whose name holds a text, with the symbols the
// quote service knows them by. Built once at start; read-only afterwards.
class SymbolLookup
{
public:
    static constexpr std::size_t MaxRows = 300;

    void addCompanies(const std::vector<ListedCompany> &rows);

    // Rows whose name contains text, letter case aside, in list order; all of them, also
    // past MaxRows.
    std::vector<const ListedCompany *> find(std::string_view text) const;
    // The whole HTML page for a text as typed.
    std::string page(std::string_view text) const;

private:
    std::vector<ListedCompany> m_rows;
    std::vector<std::string> m_folded; // each name in lower case
};

// Text made safe inside HTML elements and attribute values.
std::string escapeHtml(std::string_view text);
