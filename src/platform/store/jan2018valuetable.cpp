#include "platform/store/jan2018valuetable.h"

#include "platform/store/storeconnection.h"

#include <utility>

StoreResult<Jan2018Values> Jan2018ValueTable::loadAll()
{
    auto rows = m_connection.select<std::pair<std::string, double>>(
        QStringLiteral("SELECT SYMBOL, SHAREVALUE FROM JAN2018VALUE"), {}, [](const QSqlQuery &q) {
            return std::pair{textOf(q.value(0)), q.value(1).toDouble()};
        });
    if (!rows)
        return StoreError{rows.error()};
    return Jan2018Values(rows.value().begin(), rows.value().end());
}

StoreStatus Jan2018ValueTable::setAll(const Jan2018Values &values)
{
    return m_connection.inTransaction([&]() -> StoreStatus {
        for (const auto &[symbol, value] : values) {
            if (auto cleared =
                    m_connection.run(QStringLiteral("DELETE FROM JAN2018VALUE WHERE SYMBOL = ?"),
                                     {textValue(symbol)});
                !cleared)
                return cleared;
            if (auto added = m_connection.run(
                    QStringLiteral("INSERT INTO JAN2018VALUE (SYMBOL, SHAREVALUE) VALUES (?, ?)"),
                    {textValue(symbol), value});
                !added)
                return added;
        }
        return storeOk();
    });
}
