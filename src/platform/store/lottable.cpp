#include "platform/store/lottable.h"

#include "platform/store/storeconnection.h"

namespace {
// The table has no key: its rows come back in the database's natural order.
const QString Select = QStringLiteral("SELECT COMPNAME, \"INDEX\", INDEXNAME, DELIVERYTYPE, PRICE, "
                                      "QUANTITY, BROKERID FROM PROFILELIST");
const QString OneStock = QStringLiteral(" WHERE INDEXNAME = ? AND DELIVERYTYPE = ?");

ProfileLot readLot(const QSqlQuery &query)
{
    return ProfileLot{textOf(query.value(0)),
                      textOf(query.value(1)),
                      textOf(query.value(2)),
                      query.value(3).toInt(),
                      query.value(4).toDouble(),
                      static_cast<long>(query.value(5).toLongLong()),
                      static_cast<long>(query.value(6).toLongLong())};
}
} // namespace

StoreResult<std::vector<ProfileLot>> LotTable::loadAll()
{
    return m_connection.select<ProfileLot>(Select, {}, readLot);
}

StoreResult<std::vector<ProfileLot>> LotTable::lots(std::string_view symbol, int deliveryType)
{
    return m_connection.select<ProfileLot>(Select + OneStock, {textValue(symbol), deliveryType},
                                           readLot);
}

StoreResult<bool> LotTable::brokerInUse(long brokerId)
{
    auto count = m_connection.select<qlonglong>(
        QStringLiteral("SELECT COUNT(*) FROM PROFILELIST WHERE BROKERID = ?"),
        {static_cast<qlonglong>(brokerId)},
        [](const QSqlQuery &query) { return query.value(0).toLongLong(); });
    if (!count)
        return StoreError{count.error()};
    return !count.value().empty() && count.value().front() > 0;
}

StoreStatus LotTable::removeStock(std::string_view symbol, int deliveryType)
{
    return m_connection.run(QStringLiteral("DELETE FROM PROFILELIST") + OneStock,
                            {textValue(symbol), deliveryType});
}

StoreStatus LotTable::insert(const ProfileLot &lot)
{
    return m_connection.run(
        QStringLiteral("INSERT INTO PROFILELIST "
                       "(COMPNAME, \"INDEX\", INDEXNAME, DELIVERYTYPE, PRICE, QUANTITY, BROKERID) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {textValue(lot.companyName), textValue(lot.exchange), textValue(lot.symbol),
         lot.deliveryType, lot.price, static_cast<qlonglong>(lot.quantity),
         static_cast<qlonglong>(lot.brokerId)});
}

StoreStatus LotTable::insertLots(const std::vector<ProfileLot> &lots)
{
    return m_connection.inTransaction([&]() -> StoreStatus {
        for (const ProfileLot &lot : lots)
            if (auto inserted = insert(lot); !inserted)
                return inserted;
        return storeOk();
    });
}

StoreStatus LotTable::replaceStock(std::string_view symbol, int deliveryType,
                                   const std::vector<ProfileLot> &lots)
{
    // The table has no key to address one row by, and its natural order is the order the
    // lists are built in: the whole table is written again with the stock's lots in place.
    return m_connection.inTransaction([&]() -> StoreStatus {
        auto stored = loadAll();
        if (!stored)
            return StoreError{stored.error()};
        std::vector<ProfileLot> rewritten;
        auto next = lots.begin();
        for (ProfileLot &lot : stored.value()) {
            if (lot.symbol != symbol || lot.deliveryType != deliveryType)
                rewritten.push_back(std::move(lot));
            else if (next != lots.end())
                rewritten.push_back(*next++);
        }
        rewritten.insert(rewritten.end(), next, lots.end());
        if (auto cleared = m_connection.run(QStringLiteral("DELETE FROM PROFILELIST")); !cleared)
            return cleared;
        for (const ProfileLot &lot : rewritten)
            if (auto inserted = insert(lot); !inserted)
                return inserted;
        return storeOk();
    });
}
