#pragma once

#include "core/watch/watchlistsink.h"

#include "core/shell/quotegroup.h"
#include "core/watch/watchrow.h"

#include <functional>
#include <string>
#include <vector>

class Messenger;
class WatchListStore;

// The stocks the user watches, in display order, each with its quote and the values the
// refreshes saw. Every change to the list is written to the
// table at once, in one transaction, and made only when the table took it: a program that
// dies keeps what the user last saw, and the user never sees what was not stored.
class WatchList : public QuoteGroup
{
public:
    static constexpr std::size_t Capacity = 50;
    static constexpr std::size_t AddButtonLimit = 42;

    static constexpr const char *FullMessage =
        "Sorry!!!You can't add more than 50 companies in your Watch List";
    static constexpr const char *AddButtonFullMessage =
        "Sorry!!!You can't add more than 42 companies in your Watch List";
    static constexpr const char *DuplicateMessage =
        "Selected company is already added in the choice list";
    static constexpr const char *NoDeleteSelection = "Please select atleast ONE company to delete";
    static constexpr const char *NoAlertSelection =
        "Please select the company for which you want to set ALERT";
    static constexpr const char *FeedingAddMessage =
        "AmiBroker data feeding is in START mode at the moment \nPlease STOP it then Add Stocks "
        "here";
    static constexpr const char *FeedingDeleteMessage =
        "AmiBroker data feeding is in START mode at the moment \nPlease STOP it then DELETE Stocks "
        "here";
    static constexpr const char *FeedingSortMessage =
        "As AmiBroker Data feeding is in START mode ,Sorting CAN'T be done\n"
        "If you want to do SORTING , STOP AmiBroker Data feeding";
    static constexpr const char *LoggingSortMessage =
        "As Either Intraday or Live Data is Checked  ,Sorting CAN'T be done\n"
        "If you want to do SORTING , UnCheck both Intraday and Live Data";

    WatchList(WatchListStore &store, Messenger &messenger);

    // Reads the table; a failure is shown and the list stays empty. After a failed load the
    // table is never rewritten in this run: it holds a list the program could not read.
    void load();

    const std::vector<WatchedStock> &stocks() const { return m_stocks; }
    std::size_t count() const { return m_stocks.size(); }
    WatchSwitches &switches() { return m_switches; }
    const WatchSwitches &switches() const { return m_switches; }
    bool sortAscending() const { return m_ascending; }

    // The "Add" button may open the company search: no feeding, fewer than 42 stocks.
    bool mayAdd(bool feeding) const;
    // "Add entry": Added when the stock was appended (the caller refreshes).
    AddOutcome addEntry(const WatchRow &row);
    // "Delete": the rows to remove, in any order; false after a refusal.
    bool removeRows(std::vector<int> rows, bool feeding);
    // A header click; false when refused or the column has no key. The direction flag is
    // shared by every column and turns after each sort.
    bool sortBy(int column, bool feeding);
    // "Set ALERT": new limits for the stock with that symbol. Limits of a stock without
    // an alert are not kept.
    bool setAlert(const std::string &symbol, int alert, double lowerLimit, double upperLimit);

    // A refresh starts: what the refresh before saw becomes what the prices are judged by.
    void startRefresh();
    // A refresh ends: it has seen the quotes as they are now.
    void takePrevious();

    std::vector<std::string> quoteSymbols() const override;
    QuoteRecord *quoteTarget(std::size_t index, const std::string &symbol) override;
    void quotesArrived() override;
    void setOnArrived(std::function<void()> f) { m_onArrived = std::move(f); }

private:
    // Stores the list as a change would leave it and keeps it; after a failure the change
    // is dropped and the error shown.
    bool commit(std::vector<WatchedStock> changed);

    WatchListStore &m_store;
    Messenger &m_messenger;
    std::vector<WatchedStock> m_stocks;
    WatchSwitches m_switches;
    bool m_ascending = true;
    bool m_loadFailed = false;
    std::function<void()> m_onArrived;
};
