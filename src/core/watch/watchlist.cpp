#include "core/watch/watchlist.h"

#include "core/common/messenger.h"
#include "core/net/quotesanity.h"
#include "core/store/stores.h"
#include "core/watch/watchsort.h"

#include <algorithm>

namespace {
std::string quoteSymbolOf(const WatchedStock &stock)
{
    return quoteSymbol(stock.isNse() ? Exchange::Nse : Exchange::Bse, stock.entry.symbol);
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
    m_stocks.clear();
    for (WatchRow &row : rows)
        m_stocks.push_back(WatchedStock{std::move(row), {}, {}, {}});
}

bool WatchList::mayAdd(bool feeding) const
{
    if (feeding) {
        m_messenger.inform(FeedingAddMessage);
        return false;
    }
    if (m_stocks.size() >= AddButtonLimit) {
        m_messenger.inform(AddButtonFullMessage);
        return false;
    }
    return true;
}

AddOutcome WatchList::addEntry(const WatchRow &row)
{
    if (m_stocks.size() >= Capacity) {
        m_messenger.inform(FullMessage);
        return AddOutcome::Refused;
    }
    if (row.companyName.empty())
        return AddOutcome::Refused;
    // Symbols alone identify a stock, whatever the exchange.
    if (std::any_of(m_stocks.begin(), m_stocks.end(),
                    [&](const WatchedStock &s) { return s.entry.symbol == row.symbol; })) {
        m_messenger.inform(DuplicateMessage);
        return AddOutcome::Refused;
    }
    WatchRow added = row;
    if (added.alert != 1)
        added.lowerLimit = added.upperLimit = 0;
    std::vector<WatchedStock> changed = m_stocks;
    changed.push_back(WatchedStock{added, {}, {}, {}});
    return commit(std::move(changed)) ? AddOutcome::Added : AddOutcome::NotStored;
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
    std::vector<WatchedStock> changed = m_stocks;
    for (int r : rows) {
        if (r >= 0 && static_cast<std::size_t>(r) < changed.size())
            changed.erase(changed.begin() + r);
    }
    return commit(std::move(changed));
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
    const auto order = watchSortOrder(m_stocks, column, m_ascending);
    if (!order)
        return false;
    std::vector<WatchedStock> sorted;
    sorted.reserve(m_stocks.size());
    for (std::size_t i : *order)
        sorted.push_back(m_stocks[i]);
    if (!commit(std::move(sorted)))
        return false;
    m_ascending = !m_ascending;
    return true;
}

bool WatchList::setAlert(const std::string &symbol, int alert, double lowerLimit, double upperLimit)
{
    std::vector<WatchedStock> changed = m_stocks;
    const auto it = std::find_if(changed.begin(), changed.end(),
                                 [&](const WatchedStock &s) { return s.entry.symbol == symbol; });
    if (it == changed.end())
        return false;
    it->entry.alert = alert;
    it->entry.lowerLimit = alert == 1 ? lowerLimit : 0;
    it->entry.upperLimit = alert == 1 ? upperLimit : 0;
    return commit(std::move(changed));
}

void WatchList::startRefresh()
{
    for (WatchedStock &s : m_stocks)
        s.previous = s.next;
}

void WatchList::takePrevious()
{
    for (WatchedStock &s : m_stocks) {
        // A junk quote is no price to open the next bar with: it counts as N/A. Nor is one
        // without a volume, whose bar would count the day's whole volume as its own.
        const bool sane = isSaneQuote(s.quote) && s.quote.has(quotefield::Volume);
        s.next.volume = sane ? s.quote.volume : 0;
        s.next.price = sane ? s.quote.last : 0;
        if (s.next.price != 0)
            s.next.taken = 1;
    }
}

bool WatchList::commit(std::vector<WatchedStock> changed)
{
    // A table the program could not read is left alone: the list lives in memory only.
    if (!m_loadFailed) {
        std::vector<WatchRow> entries;
        entries.reserve(changed.size());
        for (const WatchedStock &s : changed)
            entries.push_back(s.entry);
        const StoreStatus saved = m_store.save(entries);
        if (!saved) {
            m_messenger.inform(saved.error());
            return false;
        }
    }
    m_stocks = std::move(changed);
    return true;
}

std::vector<std::string> WatchList::quoteSymbols() const
{
    std::vector<std::string> out;
    out.reserve(m_stocks.size());
    for (const WatchedStock &s : m_stocks)
        out.push_back(quoteSymbolOf(s));
    return out;
}

QuoteRecord *WatchList::quoteTarget(std::size_t index, const std::string &symbol)
{
    // The list may have changed while the request was on its way: the symbol decides.
    if (index < m_stocks.size() && quoteSymbolOf(m_stocks[index]) == symbol)
        return &m_stocks[index].quote;
    for (WatchedStock &s : m_stocks)
        if (quoteSymbolOf(s) == symbol)
            return &s.quote;
    return nullptr;
}

void WatchList::quotesArrived()
{
    if (m_onArrived)
        m_onArrived();
}
