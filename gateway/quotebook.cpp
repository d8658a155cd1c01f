#include "quotebook.h"

#include <algorithm>

bool QuoteBook::ask(const std::vector<std::string> &symbols)
{
    const Steady::time_point at = Steady::now();
    bool fresh = false;
    {
        std::lock_guard lock(m_mutex);
        for (const std::string &symbol : symbols) {
            const auto [it, added] = m_entries.try_emplace(symbol);
            it->second.asked = at;
            fresh = fresh || added;
        }
    }
    if (fresh)
        m_changed.notify_all();
    return fresh;
}

void QuoteBook::waitTried(const std::vector<std::string> &symbols, Steady::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [&] {
        return m_stopped || std::all_of(symbols.begin(), symbols.end(), [&](const auto &s) {
                   const auto it = m_entries.find(s);
                   return it == m_entries.end() || it->second.tried;
               });
    });
}

std::optional<LiveQuote> QuoteBook::quote(const std::string &symbol) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.find(symbol);
    return it == m_entries.end() ? std::nullopt : it->second.quote;
}

std::string QuoteBook::refusal(const std::string &symbol) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.find(symbol);
    return it == m_entries.end() ? std::string() : it->second.refusal;
}

bool QuoteBook::tried(const std::string &symbol) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.find(symbol);
    return it != m_entries.end() && it->second.tried;
}

bool QuoteBook::first(const std::string &symbol) const
{
    return std::find(m_settings.first.begin(), m_settings.first.end(), symbol) !=
           m_settings.first.end();
}

std::vector<std::string> QuoteBook::wanted() const
{
    const Steady::time_point at = Steady::now();
    std::lock_guard lock(m_mutex);
    std::vector<std::string> out;
    for (const auto &[symbol, entry] : m_entries)
        if (at - entry.asked < m_settings.keepAskedFor)
            out.push_back(symbol);
    std::stable_partition(out.begin(), out.end(), [&](const auto &s) { return first(s); });
    return out;
}

std::vector<std::string> QuoteBook::dueLocked(std::size_t max, Steady::time_point at) const
{
    struct Due
    {
        int rank; // 0: the first ones, 1: never tried, 2: stale
        Steady::time_point since;
        std::string symbol;
    };
    std::vector<Due> due;
    for (const auto &[symbol, entry] : m_entries) {
        if (at - entry.asked >= m_settings.keepAskedFor)
            continue;
        if (entry.tried && at - *entry.tried < m_settings.refreshEvery)
            continue;
        const int rank = first(symbol) ? 0 : entry.tried ? 2 : 1;
        due.push_back({rank, entry.tried.value_or(Steady::time_point{}), symbol});
    }
    std::stable_sort(due.begin(), due.end(), [](const Due &a, const Due &b) {
        return a.rank != b.rank ? a.rank < b.rank : a.since < b.since;
    });
    // The first ones come on top of the others' share, so a full batch goes with them.
    std::vector<std::string> out;
    std::size_t others = 0;
    for (const Due &d : due)
        if (d.rank == 0 || others++ < max)
            out.push_back(d.symbol);
    return out;
}

std::vector<std::string> QuoteBook::nextDue(std::size_t max, Steady::duration wait)
{
    std::unique_lock lock(m_mutex);
    std::vector<std::string> due;
    m_changed.wait_for(lock, wait, [&] {
        if (m_stopped)
            return true;
        due = dueLocked(max, Steady::now());
        return !due.empty();
    });
    return m_stopped ? std::vector<std::string>() : due;
}

void QuoteBook::store(const LiveQuote &quote)
{
    std::lock_guard lock(m_mutex);
    Entry &entry = m_entries[quote.symbol];
    const auto ownTime = [](const std::optional<LiveQuote> &q) {
        return q && q->at ? *q->at : std::int64_t{-1};
    };
    // The end-of-day file must not undo a live price that a refused refresh left standing.
    if (entry.quote && ownTime(entry.quote) > ownTime(quote))
        return;
    entry.quote = quote;
}

void QuoteBook::markTried(const std::string &symbol, const std::string &refusal)
{
    {
        std::lock_guard lock(m_mutex);
        Entry &entry = m_entries[symbol];
        entry.tried = Steady::now();
        entry.refusal = refusal;
    }
    m_changed.notify_all();
}

void QuoteBook::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_all();
}

bool QuoteBook::stopped() const
{
    std::lock_guard lock(m_mutex);
    return m_stopped;
}
