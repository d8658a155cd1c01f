#include "platform/store/tradetable.h"

#include "platform/store/saleresulttable.h"
#include "platform/store/storeconnection.h"

namespace {
QVariantList tradeValues(const Trade &t)
{
    return {optionalTextValue(t.date),
            optionalTextValue(t.time),
            textValue(t.exchange),
            textValue(t.symbol),
            textValue(t.companyName),
            optionalTextValue(t.isin),
            t.side == TradeSide::Buy ? 0 : 1,
            static_cast<qlonglong>(t.quantity),
            t.price,
            deliveryTypeOf(t.kind),
            static_cast<qlonglong>(t.brokerId),
            textValue(t.source),
            optionalTextValue(t.exchangeTradeId),
            optionalTextValue(t.orderId)};
}

Trade readTrade(const QSqlQuery &q)
{
    Trade t;
    t.id = static_cast<long>(q.value(0).toLongLong());
    t.date = textOf(q.value(1));
    t.time = textOf(q.value(2));
    t.exchange = textOf(q.value(3));
    t.symbol = textOf(q.value(4));
    t.companyName = textOf(q.value(5));
    t.isin = textOf(q.value(6));
    t.side = q.value(7).toInt() == 0 ? TradeSide::Buy : TradeSide::Sell;
    t.quantity = static_cast<long>(q.value(8).toLongLong());
    t.price = q.value(9).toDouble();
    t.kind = tradeKindOf(q.value(10).toInt());
    t.brokerId = static_cast<long>(q.value(11).toLongLong());
    t.source = textOf(q.value(12));
    t.exchangeTradeId = textOf(q.value(13));
    t.orderId = textOf(q.value(14));
    return t;
}
} // namespace

const QString &tradeColumns()
{
    static const QString columns = QStringLiteral(
        "TRADEDATE, TRADETIME, EXCHANGE, SYMBOL, COMPNAME, ISIN, SIDE, QUANTITY, PRICE, "
        "DELIVERYTYPE, BROKERID, SOURCE, EXCHANGETRADEID, ORDERID");
    return columns;
}

StoreResult<std::vector<Trade>> TradeTable::loadAll()
{
    return m_connection.select<Trade>(
        QStringLiteral("SELECT TRADEID, %1 FROM TRADES ORDER BY TRADEID").arg(tradeColumns()), {},
        readTrade);
}

StoreStatus TradeTable::insert(const Trade &trade)
{
    return m_connection.run(QStringLiteral("INSERT INTO TRADES (%1) VALUES (?%2)")
                                .arg(tradeColumns(), QStringLiteral(", ?").repeated(13)),
                            tradeValues(trade));
}

StoreStatus TradeTable::insertAll(const std::vector<Trade> &trades)
{
    return m_connection.inTransaction([&]() -> StoreStatus {
        std::set<std::string> symbols;
        for (const Trade &trade : trades) {
            if (auto inserted = insert(trade); !inserted)
                return inserted;
            symbols.insert(trade.symbol);
        }
        return SaleResultTable(m_connection).restate(symbols);
    });
}

StoreResult<std::string> TradeTable::symbolOf(long tradeId) const
{
    auto symbols = m_connection.select<std::string>(
        QStringLiteral("SELECT SYMBOL FROM TRADES WHERE TRADEID = ?"),
        {static_cast<qlonglong>(tradeId)}, [](const QSqlQuery &q) { return textOf(q.value(0)); });
    if (!symbols)
        return StoreError{symbols.error()};
    return symbols.value().empty() ? std::string() : symbols.value().front();
}

StoreResult<bool> TradeTable::update(const Trade &trade)
{
    const QString assignments =
        tradeColumns().split(QStringLiteral(", ")).join(QStringLiteral(" = ?, ")) +
        QStringLiteral(" = ?");
    bool found = false;
    const StoreStatus done = m_connection.inTransaction([&]() -> StoreStatus {
        auto before = symbolOf(trade.id);
        if (!before)
            return StoreError{before.error()};
        auto changed = m_connection.write(
            QStringLiteral("UPDATE TRADES SET %1 WHERE TRADEID = ?").arg(assignments),
            tradeValues(trade) << static_cast<qlonglong>(trade.id));
        if (!changed)
            return StoreError{changed.error()};
        found = changed.value() > 0;
        return found ? SaleResultTable(m_connection).restate({before.value(), trade.symbol})
                     : storeOk();
    });
    if (!done)
        return StoreError{done.error()};
    return found;
}

StoreStatus TradeTable::remove(long tradeId)
{
    return m_connection.inTransaction([&]() -> StoreStatus {
        auto symbol = symbolOf(tradeId);
        if (!symbol)
            return StoreError{symbol.error()};
        if (auto removed = m_connection.run(QStringLiteral("DELETE FROM TRADES WHERE TRADEID = ?"),
                                            {static_cast<qlonglong>(tradeId)});
            !removed)
            return removed;
        return SaleResultTable(m_connection).restate({symbol.value()});
    });
}
