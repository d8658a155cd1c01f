#include "core/store/companyindex.h"

#include <algorithm>
#include <functional>

namespace {
char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
} // namespace

CompanyIndex::CompanyIndex(std::vector<CompanyRow> rows) : m_rows(std::move(rows))
{
    std::size_t total = 0;
    for (const CompanyRow &row : m_rows)
        total += row.name.size() + 1;
    m_folded.reserve(total);
    m_ends.reserve(m_rows.size());
    for (const CompanyRow &row : m_rows) {
        for (char c : row.name)
            m_folded += foldAscii(c);
        m_ends.push_back(m_folded.size());
        m_folded += '\0';
    }
}

std::vector<CompanyRow> CompanyIndex::find(std::string_view part) const
{
    std::vector<CompanyRow> found;
    std::string needle(part);
    std::transform(needle.begin(), needle.end(), needle.begin(), foldAscii);
    if (needle.find('\0') != std::string::npos)
        return found;
    if (needle.empty())
        return m_rows;
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    auto from = m_folded.begin();
    while (true) {
        const auto hit = std::search(from, m_folded.end(), searcher);
        if (hit == m_folded.end())
            break;
        // The name the match lies in; the search goes on after its end, so a name that holds
        // the text twice is found once.
        const auto end =
            std::lower_bound(m_ends.begin(), m_ends.end(), std::size_t(hit - m_folded.begin()));
        found.push_back(m_rows[std::size_t(end - m_ends.begin())]);
        from = m_folded.begin() + std::ptrdiff_t(*end) + 1;
    }
    return found;
}
