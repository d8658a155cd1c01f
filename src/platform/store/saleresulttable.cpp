#include "platform/store/saleresulttable.h"

#include "core/trades/tradeledger.h"
#include "platform/store/brokerscheduletable.h"
#include "platform/store/brokertable.h"
#include "platform/store/storeconnection.h"
#include "platform/store/tradetable.h"

StoreResult<std::map<long, SaleResult>> SaleResultTable::loadAll()
{
    auto rows = m_connection.select<std::pair<long, SaleResult>>(
        QStringLiteral("SELECT TRADEID, SALEVALUE, COSTOFLOTS, BUYCHARGES, SELLCHARGES, PROFIT, "
                       "UNMATCHED FROM SALERESULT"),
        {}, [](const QSqlQuery &q) {
            SaleResult r;
            r.saleValue = q.value(1).toDouble();
            r.costOfLots = q.value(2).toDouble();
            r.buyCharges = q.value(3).toDouble();
            r.sellCharges = q.value(4).toDouble();
            r.profit = q.value(5).toDouble();
            r.unmatched = static_cast<long>(q.value(6).toLongLong());
            return std::pair{static_cast<long>(q.value(0).toLongLong()), r};
        });
    if (!rows)
        return StoreError{rows.error()};
    return std::map<long, SaleResult>(rows.value().begin(), rows.value().end());
}

StoreStatus SaleResultTable::restate(const std::set<std::string> &symbols, bool all)
{
    auto trades = TradeTable(m_connection).loadAll();
    if (!trades)
        return StoreError{trades.error()};
    TradePricing pricing;
    auto brokers = BrokerTable(m_connection).loadAll();
    if (!brokers)
        return StoreError{brokers.error()};
    pricing.brokers = std::move(brokers).value();
    auto schedules = BrokerScheduleTable(m_connection).loadAll();
    if (!schedules)
        return StoreError{schedules.error()};
    pricing.schedules = std::move(schedules).value();

    const QString drop = QStringLiteral("DELETE FROM SALERESULT WHERE TRADEID NOT IN "
                                        "(SELECT TRADEID FROM TRADES)");
    if (auto dropped = m_connection.run(drop); !dropped)
        return dropped;
    if (all) {
        if (auto cleared = m_connection.run(QStringLiteral("DELETE FROM SALERESULT")); !cleared)
            return cleared;
    }
    for (const std::string &symbol : all ? std::set<std::string>{} : symbols)
        if (auto cleared =
                m_connection.run(QStringLiteral("DELETE FROM SALERESULT WHERE TRADEID IN "
                                                "(SELECT TRADEID FROM TRADES WHERE SYMBOL = ?)"),
                                 {textValue(symbol)});
            !cleared)
            return cleared;

    for (const TradeLine &line : tradeLines(trades.value(), pricing)) {
        if (!line.result || (!all && !symbols.contains(line.trade.symbol)))
            continue;
        const SaleResult &r = *line.result;
        if (auto stored = m_connection.run(
                QStringLiteral("INSERT INTO SALERESULT (TRADEID, SALEVALUE, COSTOFLOTS, "
                               "BUYCHARGES, SELLCHARGES, PROFIT, UNMATCHED) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {static_cast<qlonglong>(line.trade.id), r.saleValue, r.costOfLots, r.buyCharges,
                 r.sellCharges, r.profit, static_cast<qlonglong>(r.unmatched)});
            !stored)
            return stored;
    }
    return storeOk();
}
