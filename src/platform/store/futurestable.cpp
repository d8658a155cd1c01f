#include "platform/store/futurestable.h"
#include "platform/store/storeconnection.h"

FutureRow readFutureRow(const QSqlQuery &query)
{
    return FutureRow{textOf(query.value(0)), textOf(query.value(1))};
}

StoreResult<std::vector<FutureRow>> FuturesTable::loadAll()
{
    return m_connection.select<FutureRow>(
        QStringLiteral("SELECT Underlying, Symbol FROM Future ORDER BY ID"), {}, readFutureRow);
}
