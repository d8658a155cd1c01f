#include "core/portfolio/portfolio.h"

#include "core/common/messenger.h"
#include "core/portfolio/holdinglist.h"
#include "core/store/stores.h"

#include <algorithm>
#include <cmath>

namespace {
std::string quoteSymbolOf(const ProfileSymbol &entry)
{
    return quoteSymbol(entry.exchange == "NSE" ? Exchange::Nse : Exchange::Bse, entry.symbol);
}

// A field the parser could not read must not turn a whole row into NaN.
double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0;
}

std::vector<ProfileLot> lotsOf(const HoldingEntry &entry)
{
    std::vector<ProfileLot> out;
    out.reserve(entry.lots.size());
    for (const LotValues &values : entry.lots)
        out.push_back(ProfileLot{entry.companyName, entry.exchange, entry.symbol,
                                 deliveryTypeOf(entry.kind), values.price, values.shares,
                                 entry.brokerId, values.date});
    return out;
}
} // namespace

Portfolio::Portfolio(ProfileStore &store, Messenger &messenger)
    : m_store(store), m_messenger(messenger)
{
}

void Portfolio::load()
{
    m_delivery.clear();
    m_intraday.clear();
    auto stored = m_store.loadAll();
    if (!stored) {
        m_messenger.inform(stored.error());
        return;
    }
    for (ProfileLot &lot : stored.value())
        (tradeKindOf(lot.deliveryType) == TradeKind::Delivery ? m_delivery : m_intraday)
            .push_back(HeldLot{std::move(lot)});
}

void Portfolio::buildSymbolTable()
{
    std::vector<ProfileSymbol> symbols;
    std::vector<QuoteRecord> quotes;
    for (const auto *lots : {&m_delivery, &m_intraday}) {
        for (const HeldLot &held : *lots) {
            const ProfileLot &lot = held.lot;
            if (std::ranges::find(symbols, lot.symbol, &ProfileSymbol::symbol) != symbols.end())
                continue;
            symbols.push_back(ProfileSymbol{lot.companyName, lot.exchange, lot.symbol});
            // A symbol that stays keeps its last quote until the next one arrives.
            const std::string quoted = quoteSymbolOf(symbols.back());
            const auto old = std::ranges::find_if(
                m_symbols, [&](const ProfileSymbol &s) { return quoteSymbolOf(s) == quoted; });
            quotes.push_back(old == m_symbols.end() ? QuoteRecord{}
                                                    : m_quotes[old - m_symbols.begin()]);
        }
    }
    m_symbols = std::move(symbols);
    m_quotes = std::move(quotes);
    if (m_symbols.size() > SymbolWarning)
        m_messenger.inform(ManySymbols);
}

std::vector<std::string> Portfolio::refresh(const std::vector<BrokerEntry> &brokers)
{
    TradePricing pricing;
    pricing.brokers = brokers;
    return refresh(pricing, {});
}

std::vector<std::string> Portfolio::refresh(const TradePricing &pricing, const std::string &today)
{
    for (auto *lots : {&m_delivery, &m_intraday}) {
        for (HeldLot &held : *lots) {
            const auto entry =
                std::ranges::find(m_symbols, held.lot.symbol, &ProfileSymbol::symbol);
            if (entry == m_symbols.end())
                continue;
            const QuoteRecord &quote = m_quotes[entry - m_symbols.begin()];
            // A price that came as N/A values nothing: the holding keeps the last real one.
            if (!quote.hasPrice())
                continue;
            held.marketPrice = finiteOrZero(quote.last);
            held.change = quote.has(quotefield::Change) ? finiteOrZero(quote.change) : 0;
            held.origin = quote.origin;
        }
    }
    m_deliveryList = buildHoldingList(m_delivery, TradeKind::Delivery, pricing, today);
    m_intradayList = buildHoldingList(m_intraday, TradeKind::Intraday, pricing, today);

    std::vector<std::string> warnings;
    if (m_deliveryList.rows.size() > DeliveryRowWarning)
        warnings.emplace_back(ManyDeliveryRows);
    if (m_intradayList.rows.size() > IntradayRowWarning)
        warnings.emplace_back(ManyIntradayRows);
    return warnings;
}

const std::vector<HeldLot> &Portfolio::lots(TradeKind kind) const
{
    return kind == TradeKind::Delivery ? m_delivery : m_intraday;
}

const HoldingList &Portfolio::list(TradeKind kind) const
{
    return kind == TradeKind::Delivery ? m_deliveryList : m_intradayList;
}

bool Portfolio::mayAdd(TradeKind kind) const
{
    const std::size_t limit = kind == TradeKind::Delivery ? DeliveryLotLimit : IntradayLotLimit;
    if (lots(kind).size() <= limit)
        return true;
    m_messenger.inform(LotsFull);
    return false;
}

bool Portfolio::addStock(const HoldingEntry &entry)
{
    std::vector<ProfileLot> added = lotsOf(entry);
    if (auto stored = m_store.insertLots(added); !stored) {
        m_messenger.inform(stored.error());
        return false;
    }
    auto &lots = entry.kind == TradeKind::Delivery ? m_delivery : m_intraday;
    for (ProfileLot &lot : added)
        lots.push_back(HeldLot{std::move(lot)});
    buildSymbolTable();
    return true;
}

bool Portfolio::editStock(const HoldingEntry &entry)
{
    const std::vector<ProfileLot> edited = lotsOf(entry);
    if (auto stored = m_store.replaceStock(entry.symbol, deliveryTypeOf(entry.kind), edited);
        !stored) {
        m_messenger.inform(stored.error());
        return false;
    }
    // As the table did it: each lot of the stock takes the next edited one in place, lots
    // beyond the edited ones go and edited ones beyond the lots are appended.
    auto &lots = entry.kind == TradeKind::Delivery ? m_delivery : m_intraday;
    auto next = edited.begin();
    std::vector<HeldLot> kept;
    kept.reserve(lots.size() + edited.size());
    for (HeldLot &held : lots) {
        if (held.lot.symbol == entry.symbol) {
            if (next == edited.end())
                continue;
            held.lot = *next++;
        }
        kept.push_back(std::move(held));
    }
    lots = std::move(kept);
    for (; next != edited.end(); ++next)
        lots.push_back(HeldLot{*next});
    buildSymbolTable();
    return true;
}

bool Portfolio::deleteStock(TradeKind kind, const std::string &symbol)
{
    if (auto removed = m_store.removeStock(symbol, deliveryTypeOf(kind)); !removed) {
        m_messenger.inform(removed.error());
        return false;
    }
    std::erase_if(kind == TradeKind::Delivery ? m_delivery : m_intraday,
                  [&](const HeldLot &held) { return held.lot.symbol == symbol; });
    return true;
}

std::vector<std::string> Portfolio::quoteSymbols() const
{
    std::vector<std::string> out;
    out.reserve(m_symbols.size());
    for (const ProfileSymbol &entry : m_symbols)
        out.push_back(quoteSymbolOf(entry));
    return out;
}

QuoteRecord *Portfolio::quoteTarget(std::size_t index, const std::string &symbol)
{
    // The table may have been rebuilt while the request was on its way.
    if (index < m_symbols.size() && quoteSymbolOf(m_symbols[index]) == symbol)
        return &m_quotes[index];
    return nullptr;
}

void Portfolio::quotesArrived()
{
    if (m_onArrived)
        m_onArrived();
}
