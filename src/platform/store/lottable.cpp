#include "platform/store/lottable.h"

#include "core/trades/tradematcher.h"
#include "platform/store/storeconnection.h"

// The lots are the buys that sales have not consumed, first in first out; each lot stands
// for its buy trade. A lot changed or removed after part of it was sold keeps the sold part,
// so the sales' results stay as they were.
namespace {
ProfileLot lotOf(const OpenLot &open)
{
    const Trade &buy = open.buy;
    return ProfileLot{buy.companyName, buy.exchange,   buy.symbol,   deliveryTypeOf(buy.kind),
                      buy.price,       open.remaining, buy.brokerId, buy.date,
                      buy.orderId};
}

Trade buyOf(const ProfileLot &lot)
{
    Trade t;
    t.date = lot.buyDate;
    t.exchange = lot.exchange;
    t.symbol = lot.symbol;
    t.companyName = lot.companyName;
    t.side = TradeSide::Buy;
    t.quantity = lot.quantity;
    t.price = lot.price;
    t.kind = tradeKindOf(lot.deliveryType);
    t.brokerId = lot.brokerId;
    t.source = TypedSource;
    return t;
}

bool ofStock(const OpenLot &open, std::string_view symbol, int deliveryType)
{
    return open.buy.symbol == symbol && open.buy.kind == tradeKindOf(deliveryType);
}
} // namespace

StoreResult<std::vector<OpenLot>> LotTable::openLots()
{
    auto trades = m_trades.loadAll();
    if (!trades)
        return StoreError{trades.error()};
    return matchTrades(trades.value(), {}).open;
}

StoreResult<std::vector<ProfileLot>> LotTable::loadAll()
{
    auto open = openLots();
    if (!open)
        return StoreError{open.error()};
    std::vector<ProfileLot> lots;
    lots.reserve(open.value().size());
    for (const OpenLot &lot : open.value())
        lots.push_back(lotOf(lot));
    return lots;
}

StoreResult<std::vector<ProfileLot>> LotTable::lots(std::string_view symbol, int deliveryType)
{
    auto open = openLots();
    if (!open)
        return StoreError{open.error()};
    std::vector<ProfileLot> lots;
    for (const OpenLot &lot : open.value())
        if (ofStock(lot, symbol, deliveryType))
            lots.push_back(lotOf(lot));
    return lots;
}

StoreStatus LotTable::dropLot(const OpenLot &lot)
{
    if (lot.remaining == lot.buy.quantity)
        return m_trades.remove(lot.buy.id);
    Trade sold = lot.buy;
    sold.quantity -= lot.remaining;
    if (auto changed = m_trades.update(sold); !changed)
        return StoreError{changed.error()};
    return storeOk();
}

StoreStatus LotTable::removeStock(std::string_view symbol, int deliveryType)
{
    return m_connection.inTransaction([&]() -> StoreStatus {
        auto open = openLots();
        if (!open)
            return StoreError{open.error()};
        for (const OpenLot &lot : open.value())
            if (ofStock(lot, symbol, deliveryType))
                if (auto dropped = dropLot(lot); !dropped)
                    return dropped;
        return storeOk();
    });
}

StoreStatus LotTable::insert(const ProfileLot &lot)
{
    return m_trades.insertAll({buyOf(lot)});
}

StoreStatus LotTable::insertLots(const std::vector<ProfileLot> &lots)
{
    std::vector<Trade> buys;
    buys.reserve(lots.size());
    for (const ProfileLot &lot : lots)
        buys.push_back(buyOf(lot));
    return m_trades.insertAll(buys);
}

StoreStatus LotTable::replaceStock(std::string_view symbol, int deliveryType,
                                   const std::vector<ProfileLot> &lots)
{
    // Each open lot of the stock takes the next new one in place; open lots beyond the new
    // ones go and new ones beyond the open ones become buys of their own.
    return m_connection.inTransaction([&]() -> StoreStatus {
        auto open = openLots();
        if (!open)
            return StoreError{open.error()};
        auto next = lots.begin();
        for (const OpenLot &lot : open.value()) {
            if (!ofStock(lot, symbol, deliveryType))
                continue;
            if (next == lots.end()) {
                if (auto dropped = dropLot(lot); !dropped)
                    return dropped;
                continue;
            }
            Trade buy = buyOf(*next++);
            buy.id = lot.buy.id;
            if (buy.date == lot.buy.date)
                buy.time = lot.buy.time;
            buy.isin = lot.buy.isin;
            buy.source = lot.buy.source;
            buy.exchangeTradeId = lot.buy.exchangeTradeId;
            buy.orderId = lot.buy.orderId;
            buy.quantity += lot.buy.quantity - lot.remaining; // the part already sold
            if (auto changed = m_trades.update(buy); !changed)
                return StoreError{changed.error()};
        }
        for (; next != lots.end(); ++next)
            if (auto inserted = insert(*next); !inserted)
                return inserted;
        return storeOk();
    });
}
