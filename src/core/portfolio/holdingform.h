#pragma once

#include "core/portfolio/holdingrow.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Messenger;
class ProfileStore;

// What the portfolio panel opens the holding entry dialog with: nothing but the trade kind
// for a new stock, the stock's row for an edit.
struct HoldingEntryRequest
{
    std::string companyName;
    std::string exchange; // "BSE" chooses BSE, anything else NSE
    std::string symbol;
    long brokerId = 0;
    bool edit = false;
    TradeKind kind = TradeKind::Delivery;
};

// The state and rules of "Add/Edit Profile Stocks" that need no window: the company found by
// a search, the exchange, the lots of one stock and what OK hands over. An edit changes lot
// prices, quantities and the broker only: the number of lots and the company stay.
class HoldingForm
{
public:
    static constexpr std::size_t MaximumLots = 20;
    static constexpr long MaximumShares = 999999;
    static constexpr double MaximumPrice = 99999;
    static constexpr const char *Title = "Add/Edit Profile Stocks";
    static constexpr const char *ShortSearchMessage =
        "Please enter atleast 3 consecutive letters of the company name";
    static constexpr const char *ExchangeChangedMessage =
        "You have changed Index , Please again click on SEARCH";
    static constexpr const char *NoCompanyMessage =
        "Sorry!!!First Select a Company Name with SEARCH button";
    static constexpr const char *LotsFullMessage =
        "Sorry!!!A stock can't have more than 20 lots here";
    static constexpr const char *NoLotToEditMessage = "Please select a Lot to Edit ";
    static constexpr const char *NoLotToDeleteMessage = "Please select a Lot to Delete ";
    static constexpr const char *NoLotsMessage = "Please add atleast one transaction";
    static constexpr const char *NoBrokerMessage =
        "Please configure a Broker in Broker List\nthen Add Stocks in your profile";
    static constexpr const char *ZeroLotMessage = "Sorry!!!None of these two can have 0 value";

    HoldingForm(HoldingEntryRequest request, Messenger &messenger);

    // Edit mode: the stock's stored lots of its kind, in table order. A failure is shown.
    void loadLots(ProfileStore &store);

    bool editing() const { return m_request.edit; }
    TradeKind kind() const { return m_request.kind; }
    std::string title() const;
    Exchange exchange() const { return m_exchange; }
    const std::string &companyName() const { return m_request.companyName; }
    const std::string &symbol() const { return m_request.symbol; }
    const std::vector<LotValues> &lots() const { return m_lots; }
    // The broker the combo starts with: the stock's in edit mode, else the first; -1 for none.
    int initialBroker(const std::vector<BrokerEntry> &brokers) const;

    // "Search": whether the search result dialog may open for this text.
    bool maySearch(std::string_view text) const;
    void companyFound(std::string name, std::string symbol);
    // A click on an exchange radio. After a search a change of exchange drops the company and
    // the lots (true: the list has to follow).
    bool chooseExchange(Exchange exchange);

    bool mayAddLot() const;
    void addLot(const LotValues &lot) { m_lots.push_back(lot); }
    bool mayEditLot(int position) const;
    void replaceLot(int position, const LotValues &lot) { m_lots.at(std::size_t(position)) = lot; }
    // The lots that stay keep their prices as the list shows them, two decimals.
    bool deleteLot(int position);

    // OK, with the id of the broker chosen in the combo: the stock to store, or nothing after
    // a message.
    std::optional<HoldingEntry> accept(std::optional<long> brokerId) const;

    // OK of the lot dialog: neither number may be 0.
    static bool lotAcceptable(const LotValues &lot, Messenger &messenger);

private:
    bool holds(int position) const;

    HoldingEntryRequest m_request;
    Messenger &m_messenger;
    Exchange m_exchange;
    bool m_searched = false;
    std::vector<LotValues> m_lots;
};
