#include "core/store/companyindex.h"

#include <algorithm>
#include <functional>

namespace {
char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::uint32_t trigram(std::string_view text, std::size_t at)
{
    return std::uint32_t(static_cast<unsigned char>(text[at])) << 16 |
           std::uint32_t(static_cast<unsigned char>(text[at + 1])) << 8 |
           std::uint32_t(static_cast<unsigned char>(text[at + 2]));
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
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const std::string_view name = foldedName(row);
        for (std::size_t at = 0; at + 3 <= name.size(); ++at) {
            std::vector<std::uint32_t> &holding = m_rowsWith[trigram(name, at)];
            if (holding.empty() || holding.back() != row)
                holding.push_back(std::uint32_t(row));
        }
    }
}

std::string_view CompanyIndex::foldedName(std::size_t row) const
{
    const std::size_t begin = row == 0 ? 0 : m_ends[row - 1] + 1;
    return std::string_view(m_folded).substr(begin, m_ends[row] - begin);
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
    if (needle.size() < 3)
        return scan(needle);
    const std::vector<std::uint32_t> *fewest = nullptr;
    for (std::size_t at = 0; at + 3 <= needle.size(); ++at) {
        const auto rows = m_rowsWith.find(trigram(needle, at));
        if (rows == m_rowsWith.end())
            return found;
        if (!fewest || rows->second.size() < fewest->size())
            fewest = &rows->second;
    }
    found.reserve(fewest->size());
    for (std::uint32_t row : *fewest)
        if (foldedName(row).find(needle) != std::string_view::npos)
            found.push_back(m_rows[row]);
    return found;
}

std::vector<CompanyRow> CompanyIndex::scan(const std::string &needle) const
{
    std::vector<CompanyRow> found;
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
