#include "platform/store/storeconnection.h"

StoreResult<QSqlQuery> StoreConnection::exec(const QString &sql, const QVariantList &values) const
{
    if (!m_available)
        return StoreError{m_reason};
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return driverError(query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return driverError(query.lastError());
    return query;
}

StoreResult<int> StoreConnection::write(const QString &sql, const QVariantList &values) const
{
    auto query = exec(sql, values);
    if (!query)
        return StoreError{query.error()};
    return query.value().numRowsAffected();
}

StoreStatus StoreConnection::run(const QString &sql, const QVariantList &values) const
{
    auto query = exec(sql, values);
    if (!query)
        return StoreError{query.error()};
    return storeOk();
}

StoreStatus StoreConnection::inTransaction(const std::function<StoreStatus()> &work) const
{
    if (!m_available)
        return StoreError{m_reason};
    if (m_transactionDepth > 0)
        return work();
    QSqlDatabase db = database();
    if (!db.transaction())
        return driverError(db.lastError());
    ++m_transactionDepth;
    StoreStatus done = work();
    --m_transactionDepth;
    if (done && db.commit())
        return done;
    if (done)
        done = driverError(db.lastError());
    db.rollback();
    return done;
}

StoreError driverError(const QSqlError &error)
{
    const QString native = error.databaseText().trimmed();
    return StoreError{(native.isEmpty() ? error.text() : native).toStdString()};
}

QVariant textValue(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant optionalTextValue(std::string_view text)
{
    return text.empty() ? QVariant(QMetaType::fromType<QString>()) : textValue(text);
}

std::string textOf(const QVariant &value)
{
    return value.isNull() ? std::string() : value.toString().toStdString();
}
