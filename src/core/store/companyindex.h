#pragma once

#include "core/store/storerows.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // For every three folded characters, the rows whose name holds them, in row order: a
    // text of three or more is looked for only in the names that hold its rarest three.
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_rowsWith;

    std::string_view foldedName(std::size_t row) const;
    std::vector<CompanyRow> scan(const std::string &needle) const;
};
