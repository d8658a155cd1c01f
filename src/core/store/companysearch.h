#pragma once

#include "core/store/stores.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Messenger;

// The company search that the watch list's search dialog and the holding search share: at
// least three characters, matched anywhere in the name, within one exchange. The rows keep
// the query's order, so a list position is a row.
class CompanySearch
{
public:
    static constexpr std::size_t MinimumLength = 3;
    static constexpr const char *TooShortMessage =
        "Please enter atleast 3 letters in the company name!!";
    static constexpr const char *NoMatchMessage =
        "SORRY !!!No Company Name found containing entered text within the selected Index ";

    CompanySearch(CompanyListStore &store, Messenger &messenger);

    // The holding search shows at most this many rows; 0 means no limit.
    void setRowLimit(std::size_t limit) { m_rowLimit = limit; }

    // A search the user asked for ("SEARCH", opening the holding search): a short text is
    // refused with a message.
    void search(std::string_view text, Exchange exchange);
    // The search that follows every change of the text: a short text only empties the list.
    void searchAsTyped(std::string_view text, Exchange exchange);
    // A click on an exchange: searches as "SEARCH" does, unless there is no text at all.
    void exchangeChosen(std::string_view text, Exchange exchange);

    const std::vector<CompanyRow> &rows() const { return m_rows; }
    Exchange exchange() const { return m_exchange; }
    // The names for the result list, in row order.
    std::vector<std::string> names() const;
    // The row at a list position, or null when the position holds none.
    const CompanyRow *rowAt(int position) const;

private:
    void run(std::string_view text, Exchange exchange, bool tellTooShort);

    CompanyListStore &m_store;
    Messenger &m_messenger;
    std::vector<CompanyRow> m_rows;
    Exchange m_exchange = Exchange::Nse;
    std::size_t m_rowLimit = 0;
};
