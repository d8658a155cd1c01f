#include "platform/store/brokertable.h"

#include "platform/store/brokerscheduletable.h"
#include "platform/store/storeconnection.h"

#include <QStringList>

namespace {
// In BrokerRate order.
const QStringList RateColumns = {
    QStringLiteral("DELIVERY_BUY_BROKERAGE"),  QStringLiteral("DELIVERY_BUY_ST"),
    QStringLiteral("DELIVERY_BUY_STT"),        QStringLiteral("DELIVERY_BUY_OTHERS"),
    QStringLiteral("DELIVERY_SELL_BROKERAGE"), QStringLiteral("DELIVERY_SELL_ST"),
    QStringLiteral("DELIVERY_SELL_STT"),       QStringLiteral("DELIVERY_SELL_OTHERS"),
    QStringLiteral("INTRADAY_BUY_BROKERAGE"),  QStringLiteral("INTRADAY_BUY_ST"),
    QStringLiteral("INTRADAY_BUY_STT"),        QStringLiteral("INTRADAY_BUY_OTHERS"),
    QStringLiteral("INTRADAY_SELL_BROKERAGE"), QStringLiteral("INTRADAY_SELL_ST"),
    QStringLiteral("INTRADAY_SELL_STT"),       QStringLiteral("INTRADAY_SELL_OTHERS"),
};

QString selectBrokers(const QString &where)
{
    return QStringLiteral("SELECT BROKERID, BROKERNAME, %1 FROM BROKERLIST %2 ORDER BY BROKERID")
        .arg(RateColumns.join(QStringLiteral(", ")), where);
}

BrokerEntry readBroker(const QSqlQuery &query)
{
    BrokerEntry broker;
    broker.id = static_cast<long>(query.value(0).toLongLong());
    broker.name = textOf(query.value(1));
    for (std::size_t i = 0; i < BrokerRateCount; ++i)
        broker.rates[i] = query.value(static_cast<int>(i) + 2).toDouble();
    return broker;
}

QVariantList nameAndRates(const BrokerEntry &broker)
{
    QVariantList values{textValue(broker.name)};
    for (double rate : broker.rates)
        values << rate;
    return values;
}
} // namespace

StoreResult<std::vector<BrokerEntry>> BrokerTable::loadAll()
{
    return m_connection.select<BrokerEntry>(selectBrokers({}), {}, readBroker);
}

StoreResult<std::optional<BrokerEntry>> BrokerTable::findByName(std::string_view name)
{
    auto found = m_connection.select<BrokerEntry>(
        selectBrokers(QStringLiteral("WHERE BROKERNAME = ?")), {textValue(name)}, readBroker);
    if (!found)
        return StoreError{found.error()};
    if (found.value().empty())
        return std::optional<BrokerEntry>();
    return std::optional<BrokerEntry>(std::move(found.value().front()));
}

StoreStatus BrokerTable::insert(const BrokerEntry &broker)
{
    const QString marks = QStringLiteral(", ?").repeated(BrokerRateCount);
    return m_connection.run(QStringLiteral("INSERT INTO BROKERLIST (BROKERNAME, %1) VALUES (?%2)")
                                .arg(RateColumns.join(QStringLiteral(", ")), marks),
                            nameAndRates(broker));
}

StoreResult<bool> BrokerTable::update(long brokerId, const BrokerEntry &broker)
{
    const QString assignments = RateColumns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ?");
    auto changed = m_connection.write(
        QStringLiteral("UPDATE BROKERLIST SET BROKERNAME = ?, %1 WHERE BROKERID = ?")
            .arg(assignments),
        nameAndRates(broker) << static_cast<qlonglong>(brokerId));
    if (!changed)
        return StoreError{changed.error()};
    return changed.value() > 0;
}

StoreResult<bool> BrokerTable::removeUnused(long brokerId)
{
    // The database hands a deleted broker's id to the next one added, which must not inherit
    // the old broker's schedule.
    const auto id = static_cast<qlonglong>(brokerId);
    bool removed = false;
    const StoreStatus done = m_connection.inTransaction([&]() -> StoreStatus {
        auto deleted = m_connection.write(
            QStringLiteral("DELETE FROM BROKERLIST WHERE BROKERID = ? AND NOT EXISTS "
                           "(SELECT 1 FROM TRADES WHERE BROKERID = ?)"),
            {id, id});
        if (!deleted)
            return StoreError{deleted.error()};
        removed = deleted.value() > 0;
        return removed ? BrokerScheduleTable(m_connection).set(brokerId, std::nullopt) : storeOk();
    });
    if (!done)
        return StoreError{done.error()};
    return removed;
}
