#include "core/store/companysearch.h"

#include "core/common/blanktext.h"
#include "core/common/messenger.h"

CompanySearch::CompanySearch(CompanyListStore &store, Messenger &messenger)
    : m_store(store), m_messenger(messenger)
{
}

void CompanySearch::search(std::string_view text, Exchange exchange)
{
    run(text, exchange, true);
}

void CompanySearch::searchAsTyped(std::string_view text, Exchange exchange)
{
    run(text, exchange, false);
}

void CompanySearch::exchangeChosen(std::string_view text, Exchange exchange)
{
    if (!text.empty())
        run(text, exchange, true);
}

std::vector<std::string> CompanySearch::names() const
{
    std::vector<std::string> out;
    out.reserve(m_rows.size());
    for (const auto &row : m_rows)
        out.push_back(row.name);
    return out;
}

const CompanyRow *CompanySearch::rowAt(int position) const
{
    if (position < 0 || static_cast<std::size_t>(position) >= m_rows.size())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(position)];
}

void CompanySearch::run(std::string_view text, Exchange exchange, bool tellTooShort)
{
    m_rows.clear();
    m_exchange = exchange;
    if (characterCount(text) < MinimumLength) {
        if (tellTooShort)
            m_messenger.inform(TooShortMessage);
        return;
    }
    auto found = m_store.searchByName(text, exchange);
    if (!found) {
        m_messenger.inform(found.error());
        return;
    }
    m_rows = std::move(found.value());
    if (m_rowLimit != 0 && m_rows.size() > m_rowLimit)
        m_rows.resize(m_rowLimit);
    if (m_rows.empty())
        m_messenger.inform(NoMatchMessage);
}
