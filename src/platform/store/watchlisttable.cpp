#include "platform/store/watchlisttable.h"

#include "platform/store/storeconnection.h"

namespace {
const QString Select =
    QStringLiteral("SELECT COMPNAME, \"INDEX\", INDEXNAME, ALERTSETTING, LOWERLIMIT, UPPERLIMIT "
                   "FROM SelectedComp2Watch ");
// Rows come back in insertion order, which is the order the list was saved in.
const QString Order = QStringLiteral(" ORDER BY ID");

WatchRow readWatch(const QSqlQuery &query)
{
    return WatchRow{textOf(query.value(0)), textOf(query.value(1)),    textOf(query.value(2)),
                    query.value(3).toInt(), query.value(4).toDouble(), query.value(5).toDouble()};
}
} // namespace

StoreResult<std::vector<WatchRow>> WatchListTable::load()
{
    return m_connection.select<WatchRow>(Select + Order, {}, readWatch);
}

StoreStatus WatchListTable::save(const std::vector<WatchRow> &rows)
{
    return m_connection.inTransaction([&]() -> StoreStatus {
        if (auto cleared = m_connection.run(QStringLiteral("DELETE FROM SelectedComp2Watch"));
            !cleared)
            return cleared;
        for (const WatchRow &row : rows)
            if (auto inserted = insert(row); !inserted)
                return inserted;
        return storeOk();
    });
}

StoreStatus WatchListTable::insert(const WatchRow &row)
{
    return m_connection.run(
        QStringLiteral("INSERT INTO SelectedComp2Watch "
                       "(COMPNAME, \"INDEX\", INDEXNAME, ALERTSETTING, LOWERLIMIT, UPPERLIMIT) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {textValue(row.companyName), textValue(row.exchange), textValue(row.symbol), row.alert,
         row.lowerLimit, row.upperLimit});
}

StoreResult<bool> WatchListTable::setAlert(std::string_view symbol, int alert, double lowerLimit,
                                           double upperLimit)
{
    auto changed = m_connection.write(
        QStringLiteral(
            "UPDATE SelectedComp2Watch SET ALERTSETTING = ?, LOWERLIMIT = ?, UPPERLIMIT = ? "
            "WHERE ID = (SELECT MIN(ID) FROM SelectedComp2Watch WHERE INDEXNAME = ?)"),
        {alert, lowerLimit, upperLimit, textValue(symbol)});
    if (!changed)
        return StoreError{changed.error()};
    return changed.value() > 0;
}

StoreResult<std::vector<WatchRow>> WatchListTable::nseRows()
{
    return m_connection.select<WatchRow>(Select + QStringLiteral("WHERE \"INDEX\" = 'NSE'") + Order,
                                         {}, readWatch);
}
