#pragma once

#include "core/portfolio/holdingrow.h"
#include "core/shell/quotegroup.h"
#include "core/trades/tradepricing.h"

#include <functional>
#include <string>
#include <vector>

class Messenger;
class ProfileStore;

// The user's holdings: the stored lots of both kinds, the symbols whose quotes ride on the
// main refresh, and the two lists built from them by every refresh. Every change of the lots
// is written to the table at once, in one transaction, and kept only when the table took
// it: the lists never show a lot that is not stored.
class Portfolio : public QuoteGroup
{
public:
    // Thresholds of the warnings; the tables themselves grow.
    static constexpr std::size_t SymbolWarning = 50;
    static constexpr std::size_t DeliveryRowWarning = 40;
    static constexpr std::size_t IntradayRowWarning = 10;
    // "Add" is refused when a kind already holds more lots than this.
    static constexpr std::size_t DeliveryLotLimit = 150;
    static constexpr std::size_t IntradayLotLimit = 60;

    static constexpr const char *ManySymbols =
        "No of Stocks in the Profile are very large . Please try to delete some of them";
    static constexpr const char *ManyDeliveryRows =
        "No of Stocks in Delivery List is Large . Please try to delete some of them";
    static constexpr const char *ManyIntradayRows =
        "No of Stocks in Intraday List is Large . Please try to delete some of them";
    static constexpr const char *LotsFull = "Sorry! you can't add more Stocks here";

    Portfolio(ProfileStore &store, Messenger &messenger);

    // Reads every stored lot, delivery and intraday apart, each in table order. A failure
    // is shown and the lots stay empty.
    void load();
    // The quote symbols: delivery lots first, then intraday, each symbol once (exact text),
    // with the company and exchange of its first lot. Shows ManySymbols above the threshold.
    void buildSymbolTable();
    // Quotes to lots, lots to rows, charges, totals. Brokers are looked up by id; an unknown
    // id prices its row with every rate 0. Returns the warnings that hold now, in order.
    std::vector<std::string> refresh(const std::vector<BrokerEntry> &brokers);
    // The same with the brokers priced by dated schedules valued by them, selling today
    // ("YYYY-MM-DD").
    std::vector<std::string> refresh(const TradePricing &pricing, const std::string &today);

    const std::vector<HeldLot> &lots(TradeKind kind) const;
    const HoldingList &list(TradeKind kind) const;
    const std::vector<ProfileSymbol> &symbols() const { return m_symbols; }

    // Whether "Add" may open the entry dialog for this kind; shows LotsFull when not.
    bool mayAdd(TradeKind kind) const;
    // A new stock's lots from the entry dialog: stored in one transaction, then appended and
    // the symbol table rebuilt. False after the store's error was shown; nothing changed.
    bool addStock(const HoldingEntry &entry);
    // The edited lots of one stock: every lot of that kind with exactly that symbol takes the
    // next of the entry's lots, in order, and the entry's broker. Stored in place first.
    bool editStock(const HoldingEntry &entry);
    // Every lot of that kind with exactly that symbol goes, from the table and then from
    // memory. The symbol table is kept until the next add or edit.
    bool deleteStock(TradeKind kind, const std::string &symbol);

    std::vector<std::string> quoteSymbols() const override;
    QuoteRecord *quoteTarget(std::size_t index, const std::string &symbol) override;
    void quotesArrived() override;
    void setOnArrived(std::function<void()> f) { m_onArrived = std::move(f); }

private:
    ProfileStore &m_store;
    Messenger &m_messenger;
    std::vector<HeldLot> m_delivery;
    std::vector<HeldLot> m_intraday;
    std::vector<ProfileSymbol> m_symbols;
    std::vector<QuoteRecord> m_quotes; // entry k belongs to symbol k
    HoldingList m_deliveryList;
    HoldingList m_intradayList;
    std::function<void()> m_onArrived;
};
