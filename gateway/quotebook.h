#pragma once

#include "sources/livesource.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The gateway's quotes, kept by symbol with their source and their own time, and the symbols
// asked for lately: what a quote request is answered from and what the poller keeps fresh.
class QuoteBook
{
public:
    using Steady = std::chrono::steady_clock;
    struct Settings
    {
        Steady::duration refreshEvery = std::chrono::seconds(15);
        Steady::duration keepAskedFor = std::chrono::minutes(5);
        std::vector<std::string> first; // fetched before any other (the bar's)
    };

    explicit QuoteBook(Settings settings) : m_settings(std::move(settings)) {}

    // Notes the symbols as wanted now; true when one of them was never asked before (the
    // poller is woken for it).
    bool ask(const std::vector<std::string> &symbols);
    // Waits until every one of the symbols has been tried once, or the deadline passes.
    void waitTried(const std::vector<std::string> &symbols, Steady::time_point deadline);
    std::optional<LiveQuote> quote(const std::string &symbol) const;
    // Why the symbol's latest fetch got nothing from any source; empty when it was answered,
    // or when the sources answered without knowing it.
    std::string refusal(const std::string &symbol) const;
    bool tried(const std::string &symbol) const;
    // The symbols asked for lately, the first ones first.
    std::vector<std::string> wanted() const;

    // The symbols to fetch now: the first ones, then up to max others, those never tried
    // before the stalest; empty when every wanted symbol is fresh enough. Waits up to the given
    // time for one to fall due, and returns at once when stopped.
    std::vector<std::string> nextDue(std::size_t max, Steady::duration wait);
    // A source's answer; an older quote (by its own time) never replaces a newer one.
    void store(const LiveQuote &quote);
    // The end of one fetch of the symbol; the refusal is empty when a source answered.
    void markTried(const std::string &symbol, const std::string &refusal);
    void stop();
    bool stopped() const;

private:
    struct Entry
    {
        std::optional<LiveQuote> quote;
        Steady::time_point asked;
        std::optional<Steady::time_point> tried;
        std::string refusal;
    };
    bool first(const std::string &symbol) const;
    std::vector<std::string> dueLocked(std::size_t max, Steady::time_point at) const;

    Settings m_settings;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Entry> m_entries;
    bool m_stopped = false;
};
