#include "platform/store/brokerscheduletable.h"

#include "platform/store/storeconnection.h"

#include <utility>

StoreResult<std::map<long, BrokerSchedule>> BrokerScheduleTable::loadAll()
{
    auto rows = m_connection.select<std::pair<long, BrokerSchedule>>(
        QStringLiteral("SELECT BROKERID, DELIVERY_PERCENT, DELIVERY_MINIMUM, DELIVERY_CAP, "
                       "INTRADAY_PERCENT, INTRADAY_MINIMUM, INTRADAY_CAP, DP_CHARGE "
                       "FROM BROKERSCHEDULE"),
        {}, [](const QSqlQuery &q) {
            BrokerSchedule s;
            s.delivery = {q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble()};
            s.intraday = {q.value(4).toDouble(), q.value(5).toDouble(), q.value(6).toDouble()};
            s.dpCharge = q.value(7).toDouble();
            return std::pair{static_cast<long>(q.value(0).toLongLong()), s};
        });
    if (!rows)
        return StoreError{rows.error()};
    return std::map<long, BrokerSchedule>(rows.value().begin(), rows.value().end());
}

StoreStatus BrokerScheduleTable::set(long brokerId, const std::optional<BrokerSchedule> &schedule)
{
    const auto id = static_cast<qlonglong>(brokerId);
    return m_connection.inTransaction([&]() -> StoreStatus {
        if (auto cleared = m_connection.run(
                QStringLiteral("DELETE FROM BROKERSCHEDULE WHERE BROKERID = ?"), {id});
            !cleared || !schedule)
            return cleared;
        const BrokerSchedule &s = *schedule;
        return m_connection.run(
            QStringLiteral("INSERT INTO BROKERSCHEDULE (BROKERID, DELIVERY_PERCENT, "
                           "DELIVERY_MINIMUM, DELIVERY_CAP, INTRADAY_PERCENT, INTRADAY_MINIMUM, "
                           "INTRADAY_CAP, DP_CHARGE) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            {id, s.delivery.percent, s.delivery.minimum, s.delivery.cap, s.intraday.percent,
             s.intraday.minimum, s.intraday.cap, s.dpCharge});
    });
}
