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

    // Stored results are replaced by key, so that an import of thousands of trades never
    // scans the table once per symbol.
    auto held = m_connection.select<long>(
        QStringLiteral("SELECT TRADEID FROM SALERESULT"), {},
        [](const QSqlQuery &q) { return static_cast<long>(q.value(0).toLongLong()); });
    if (!held)
        return StoreError{held.error()};
    std::set<long> stale(held.value().begin(), held.value().end());
    for (const TradeLine &line : tradeLines(trades.value(), pricing)) {
        if (!line.result)
            continue;
        const bool kept = stale.erase(line.trade.id) > 0;
        if (!all && !symbols.contains(line.trade.symbol))
            continue;
        const SaleResult &r = *line.result;
        const QVariantList figures = {r.saleValue,
                                      r.costOfLots,
                                      r.buyCharges,
                                      r.sellCharges,
                                      r.profit,
                                      static_cast<qlonglong>(r.unmatched),
                                      static_cast<qlonglong>(line.trade.id)};
        const QString statement =
            kept ? QStringLiteral("UPDATE SALERESULT SET SALEVALUE = ?, COSTOFLOTS = ?, "
                                  "BUYCHARGES = ?, SELLCHARGES = ?, PROFIT = ?, UNMATCHED = ? "
                                  "WHERE TRADEID = ?")
                 : QStringLiteral("INSERT INTO SALERESULT (SALEVALUE, COSTOFLOTS, BUYCHARGES, "
                                  "SELLCHARGES, PROFIT, UNMATCHED, TRADEID) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?)");
        if (auto stored = m_connection.run(statement, figures); !stored)
            return stored;
    }
    // What is left belongs to trades that are gone or are no sales any more.
    for (long id : stale)
        if (auto dropped =
                m_connection.run(QStringLiteral("DELETE FROM SALERESULT WHERE TRADEID = ?"),
                                 {static_cast<qlonglong>(id)});
            !dropped)
            return dropped;
    return storeOk();
}
