#include "core/portfolio/holdingform.h"

#include "core/common/blanktext.h"
#include "core/common/messenger.h"
#include "core/net/displayformat.h"
#include "core/store/stores.h"

#include <algorithm>

HoldingForm::HoldingForm(HoldingEntryRequest request, Messenger &messenger)
    : m_request(std::move(request)), m_messenger(messenger),
      m_exchange(m_request.exchange == "BSE" ? Exchange::Bse : Exchange::Nse)
{
}

void HoldingForm::loadLots(ProfileStore &store)
{
    // Every stored lot, also past MaximumLots: the edit rewrites as many as it loaded.
    auto stored = store.lots(m_request.symbol, deliveryTypeOf(m_request.kind));
    if (!stored) {
        m_messenger.inform(stored.error());
        return;
    }
    m_lots.clear();
    for (const ProfileLot &lot : stored.value())
        m_lots.push_back(LotValues{lot.price, lot.quantity, lot.buyDate});
}

std::string HoldingForm::title() const
{
    return std::string(Title) +
           (m_request.kind == TradeKind::Delivery ? ":: DELIVERY" : ":: INTRADAY");
}

int HoldingForm::initialBroker(const std::vector<BrokerEntry> &brokers) const
{
    if (!m_request.edit)
        return brokers.empty() ? -1 : 0;
    const auto found = std::ranges::find(brokers, m_request.brokerId, &BrokerEntry::id);
    return found == brokers.end() ? -1 : int(found - brokers.begin());
}

bool HoldingForm::maySearch(std::string_view text) const
{
    if (characterCount(text) >= 3)
        return true;
    m_messenger.inform(ShortSearchMessage);
    return false;
}

void HoldingForm::companyFound(std::string name, std::string symbol)
{
    m_request.companyName = std::move(name);
    m_request.symbol = std::move(symbol);
    m_searched = true;
}

bool HoldingForm::chooseExchange(Exchange exchange)
{
    if (exchange == m_exchange)
        return false;
    m_exchange = exchange;
    if (!m_searched)
        return false;
    // The symbol belongs to the other exchange: the stock has to be found again.
    m_messenger.inform(ExchangeChangedMessage);
    m_lots.clear();
    m_request.companyName.clear();
    m_request.symbol.clear();
    return true;
}

bool HoldingForm::mayAddLot() const
{
    if (m_request.companyName.empty()) {
        m_messenger.inform(NoCompanyMessage);
        return false;
    }
    if (m_lots.size() >= MaximumLots) {
        m_messenger.inform(LotsFullMessage);
        return false;
    }
    return true;
}

bool HoldingForm::holds(int position) const
{
    return position >= 0 && std::size_t(position) < m_lots.size();
}

bool HoldingForm::mayEditLot(int position) const
{
    if (holds(position))
        return true;
    m_messenger.inform(NoLotToEditMessage);
    return false;
}

bool HoldingForm::deleteLot(int position)
{
    if (!holds(position)) {
        m_messenger.inform(NoLotToDeleteMessage);
        return false;
    }
    m_lots.erase(m_lots.begin() + position);
    for (LotValues &lot : m_lots)
        lot.price = shown(lot.price);
    return true;
}

std::optional<HoldingEntry> HoldingForm::accept(std::optional<long> brokerId) const
{
    if (m_lots.empty()) {
        m_messenger.inform(NoLotsMessage);
        return std::nullopt;
    }
    if (!brokerId) {
        m_messenger.inform(NoBrokerMessage);
        return std::nullopt;
    }
    return HoldingEntry{m_request.companyName, std::string(exchangeCode(m_exchange)),
                        m_request.symbol,      *brokerId,
                        m_request.kind,        m_lots};
}

bool HoldingForm::lotAcceptable(const LotValues &lot, Messenger &messenger)
{
    if (lot.price != 0 && lot.shares != 0)
        return true;
    messenger.inform(ZeroLotMessage);
    return false;
}
