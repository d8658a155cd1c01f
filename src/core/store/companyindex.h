#pragma once

#include "core/store/storerows.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One exchange's listed companies in memory, in the order the database sorted them, for the
// search that runs on every keystroke: a part of the name matched anywhere, ignoring the case
// of ASCII letters and taking every other character as it is, as the database's LIKE does.
// Filtering keeps the order, so the rows come as the query would give them.
class CompanyIndex
{
public:
    CompanyIndex() = default;
    explicit CompanyIndex(std::vector<CompanyRow> rows);

    std::vector<CompanyRow> find(std::string_view part) const;
    std::size_t size() const { return m_rows.size(); }

private:
    std::vector<CompanyRow> m_rows;
    // Every name folded to lower case, each followed by a '\0' that no typed text holds, so a
    // match never runs from one name into the next.
    std::string m_folded;
    std::vector<std::size_t> m_ends; // where each name's '\0' stands in m_folded
};
