#include "platform/store/selectedfuturestable.h"
#include "platform/store/futurestable.h"
#include "platform/store/storeconnection.h"

StoreResult<std::vector<FutureRow>> SelectedFuturesTable::load()
{
    return m_connection.select<FutureRow>(
        QStringLiteral("SELECT Underlying, Symbol FROM SelectedFuture ORDER BY ID"), {},
        readFutureRow);
}

StoreStatus SelectedFuturesTable::insert(const FutureRow &row)
{
    return m_connection.run(
        QStringLiteral("INSERT INTO SelectedFuture (Underlying, Symbol) VALUES (?, ?)"),
        {textValue(row.underlying), textValue(row.symbol)});
}

StoreStatus SelectedFuturesTable::removeSymbol(std::string_view symbol)
{
    return m_connection.run(QStringLiteral("DELETE FROM SelectedFuture WHERE Symbol = ?"),
                            {textValue(symbol)});
}
