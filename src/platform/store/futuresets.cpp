#include "platform/store/cfutureset.h"
#include "platform/store/cselectedfutureset.h"
#include "platform/store/storeconnection.h"

// The two futures tables have the same columns and are read the same way.
namespace {
FutureRow readFuture(const QSqlQuery &query)
{
    return FutureRow{textOf(query.value(0)), textOf(query.value(1))};
}
} // namespace

StoreResult<std::vector<FutureRow>> CFutureset::loadAll()
{
    return m_connection.select<FutureRow>(
        QStringLiteral("SELECT Underlying, Symbol FROM Future ORDER BY ID"), {}, readFuture);
}

StoreResult<std::vector<FutureRow>> CSelectedFutureset::load()
{
    return m_connection.select<FutureRow>(
        QStringLiteral("SELECT Underlying, Symbol FROM SelectedFuture ORDER BY ID"), {},
        readFuture);
}

StoreStatus CSelectedFutureset::insert(const FutureRow &row)
{
    return m_connection.run(
        QStringLiteral("INSERT INTO SelectedFuture (Underlying, Symbol) VALUES (?, ?)"),
        {textValue(row.underlying), textValue(row.symbol)});
}

StoreStatus CSelectedFutureset::removeSymbol(std::string_view symbol)
{
    return m_connection.run(QStringLiteral("DELETE FROM SelectedFuture WHERE Symbol = ?"),
                            {textValue(symbol)});
}
