#include "core/watch/watchlist.h"

#include "core/common/messenger.h"
#include "core/store/stores.h"
#include "core/watch/watchsort.h"

#include <algorithm>

namespace {
std::string quoteSymbolOf(const WatchRow &entry)
{
    return quoteSymbol(entry.exchange == "NSE" ? Exchange::Nse : Exchange::Bse, entry.symbol);
}
} // namespace

WatchList::WatchList(WatchListStore &store, Messenger &messenger)
    : m_store(store), m_messenger(messenger)
{
}

void WatchList::load()
{
    auto loaded = m_store.load();
    if (!loaded) {
        m_loadFailed = true;
        m_messenger.inform(loaded.error());
        return;
    }
    std::vector<WatchRow> rows = std::move(loaded).value();
    if (rows.size() > Capacity)
        rows.resize(Capacity);
    m_entries = std::move(rows);
    m_quotes.assign(m_entries.size(), QuoteRecord{});
    m_previous.assign(m_entries.size(), PreviousValues{});
    m_rows.clear();
}

bool WatchList::mayAdd(bool feeding) const
{
    if (feeding) {
        m_messenger.inform(FeedingAddMessage);
        return false;
    }
    if (m_entries.size() >= AddButtonLimit) {
        m_messenger.inform(AddButtonFullMessage);
        return false;
    }
    return true;
}

bool WatchList::addEntry(const WatchRow &row)
{
    if (m_entries.size() >= Capacity) {
        m_messenger.inform(FullMessage);
        return false;
    }
    if (row.companyName.empty())
        return false;
    // Symbols alone identify a stock, whatever the exchange.
    if (std::any_of(m_entries.begin(), m_entries.end(),
                    [&](const WatchRow &e) { return e.symbol == row.symbol; })) {
        m_messenger.inform(DuplicateMessage);
        return false;
    }
    WatchRow added = row;
    if (added.alert != 1)
        added.lowerLimit = added.upperLimit = 0;
    m_entries.push_back(added);
    m_quotes.emplace_back();
    m_previous.emplace_back();
    persist();
    return true;
}

bool WatchList::removeRows(std::vector<int> rows, bool feeding)
{
    if (feeding) {
        m_messenger.inform(FeedingDeleteMessage);
        return false;
    }
    if (rows.empty()) {
        m_messenger.inform(NoDeleteSelection);
        return false;
    }
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int r : rows) {
        if (r < 0 || static_cast<std::size_t>(r) >= m_entries.size())
            continue;
        m_entries.erase(m_entries.begin() + r);
        m_quotes.erase(m_quotes.begin() + r);
        m_previous.erase(m_previous.begin() + r);
        if (static_cast<std::size_t>(r) < m_rows.size())
            m_rows.erase(m_rows.begin() + r);
    }
    persist();
    return true;
}

bool WatchList::sortBy(int column, bool feeding)
{
    if (feeding) {
        m_messenger.inform(FeedingSortMessage);
        return false;
    }
    if (m_switches.intraday || m_switches.liveData) {
        m_messenger.inform(LoggingSortMessage);
        return false;
    }
    if (m_rows.size() != m_entries.size())
        rebuildRows();
    const auto order = watchSortOrder(m_rows, column, m_ascending);
    if (!order)
        return false;
    m_ascending = !m_ascending;
    reorder(m_entries, *order);
    reorder(m_quotes, *order);
    reorder(m_previous, *order);
    reorder(m_rows, *order);
    persist();
    return true;
}

bool WatchList::setAlert(const std::string &symbol, int alert, double lowerLimit, double upperLimit)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const WatchRow &e) { return e.symbol == symbol; });
    if (it == m_entries.end())
        return false;
    it->alert = alert;
    it->lowerLimit = alert == 1 ? lowerLimit : 0;
    it->upperLimit = alert == 1 ? upperLimit : 0;
    persist();
    return true;
}

void WatchList::rebuildRows()
{
    m_rows.resize(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_rows[i] = buildWatchRow(m_entries[i], m_quotes[i], m_previous[i]);
}

void WatchList::takePrevious()
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        PreviousValues &p = m_previous[i];
        p.volume = m_quotes[i].volume;
        p.price = m_quotes[i].last;
        if (m_quotes[i].last != 0)
            p.taken = 1;
    }
}

void WatchList::persist(bool showErrors)
{
    if (m_loadFailed)
        return;
    const StoreStatus saved = m_store.save(m_entries);
    m_unsaved = !saved.ok();
    if (!saved && showErrors)
        m_messenger.inform(saved.error());
}

void WatchList::saveUnsaved(bool showErrors)
{
    if (m_unsaved)
        persist(showErrors);
}

std::vector<std::string> WatchList::quoteSymbols() const
{
    std::vector<std::string> out;
    out.reserve(m_entries.size());
    for (const WatchRow &e : m_entries)
        out.push_back(quoteSymbolOf(e));
    return out;
}

QuoteRecord *WatchList::quoteTarget(std::size_t index, const std::string &symbol)
{
    // The list may have changed while the request was on its way: the symbol decides.
    if (index < m_entries.size() && quoteSymbolOf(m_entries[index]) == symbol)
        return &m_quotes[index];
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (quoteSymbolOf(m_entries[i]) == symbol)
            return &m_quotes[i];
    return nullptr;
}

void WatchList::quotesArrived()
{
    if (m_onArrived)
        m_onArrived();
}

template <typename T>
void WatchList::reorder(std::vector<T> &items, const std::vector<std::size_t> &order)
{
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(items[i]));
    items = std::move(sorted);
}
