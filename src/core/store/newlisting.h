#pragma once

#include "core/store/stores.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Messenger;

// The "Add a new Listing" dialog without its window: each typed symbol is checked against the
// quote service, and only symbols that passed are stored. Validation runs in two halves so
// the request can travel asynchronously: startValidation() gives the request path, then
// finishValidation() or failValidation() takes the outcome.
class NewListing
{
public:
    static constexpr const char *AgentName = "ValidationSession";
    static constexpr const char *QuoteFields = "sl1d1t1c1ohgv";
    static constexpr const char *InitialResult = "Validation Result";
    static constexpr const char *NseFailed = "NSE Name Validation FAILED";
    static constexpr const char *NsePassed = "NSE Name Validation PASSED";
    static constexpr const char *BseFailed = "BSE Name Validation FAILED";
    static constexpr const char *BsePassed = "BSE Name Validation PASSED";
    static constexpr const char *NoSymbolMessage = "Please write atleast one of NSE & BSE name";
    static constexpr const char *InternetErrorMessage =
        "Internet Error:: Can't do validation at the moment";
    static constexpr const char *NoNameMessage = "Please write a Name for Company Name";
    static constexpr const char *ShortLookupMessage =
        "Please write atleat 3 letters of the company name";

    explicit NewListing(Messenger &messenger);

    // "Validate": the quote request path (to append to the service's base URL) for the typed
    // symbols, or nothing when neither symbol is given (after saying so).
    std::optional<std::string> startValidation(std::string_view nseSymbol,
                                               std::string_view bseSymbol);
    // The reply lines, trimmed, in order.
    void finishValidation(const std::vector<std::string> &lines);
    void failValidation();
    bool validating() const { return m_validating; }

    const std::string &nseResult() const { return m_nseResult; }
    const std::string &bseResult() const { return m_bseResult; }
    bool nseValidated() const { return m_nseValidated; }
    bool bseValidated() const { return m_bseValidated; }
    // The symbols as they were validated; these, not later edits, are what gets stored.
    const std::string &nseSymbol() const { return m_nseSymbol; }
    const std::string &bseSymbol() const { return m_bseSymbol; }
    bool addEnabled() const { return m_addEnabled && !m_validating; }

    // "Add": keeps the trimmed company name; false after the message when it is empty.
    bool accept(std::string_view companyName);
    const std::string &companyName() const { return m_companyName; }

    // "Find Symbol": the lookup page path for the name as typed, or nothing after the message
    // when the name is too short.
    std::optional<std::string> lookupPath(std::string_view companyName) const;

    // Stores the accepted listing: one row with each validated symbol that the list does not
    // know yet. Stores nothing when there is no such symbol; true when a row was added.
    StoreResult<bool> store(CompanyListStore &companies) const;

    // One watch entry, without alert, per validated exchange.
    std::vector<WatchRow> watchRows() const;

private:
    Messenger &m_messenger;
    std::string m_nseSymbol;
    std::string m_bseSymbol;
    std::string m_nseResult = InitialResult;
    std::string m_bseResult = InitialResult;
    std::string m_companyName;
    bool m_nseValidated = false;
    bool m_bseValidated = false;
    bool m_addEnabled = false;
    bool m_validating = false;
};
