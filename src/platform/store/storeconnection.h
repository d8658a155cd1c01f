#pragma once

#include "core/store/storeresult.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The one named connection that all record classes of a database share, and the few ways
// they use it. Every value is bound, never spliced into the text. While the database is
// unavailable (it could not be opened), reads give nothing and writes give the reason, so
// the program runs on and never touches a file it could not vouch for.
class StoreConnection
{
public:
    // How long a statement waits for another program's lock on the database before it fails
    // with the driver's "database is locked". The wait is on the window's thread: long
    // enough for another program's ordinary save, short enough not to freeze the window.
    static constexpr int LockWaitMs = 250;

    explicit StoreConnection(QString name) : m_name(std::move(name)) {}

    const QString &name() const { return m_name; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

    bool available() const { return m_available; }
    // Counts the openings: what was read from an earlier one may be another database's.
    int openings() const { return m_openings; }
    const std::string &unavailableReason() const { return m_reason; }
    // What the user is told about a database that could not be opened: at start, and when a
    // search asks it for companies it cannot give.
    std::string unavailableMessage() const
    {
        return m_reason + "\n\nVantrel runs on without it: the company lists stay empty and "
                          "nothing is written to it.";
    }
    void setAvailable()
    {
        ++m_openings;
        m_available = true;
        m_reason.clear();
    }
    void setUnavailable(std::string reason)
    {
        m_available = false;
        m_reason = std::move(reason);
    }

    // Runs one statement with the values bound in order.
    StoreResult<QSqlQuery> exec(const QString &sql, const QVariantList &values = {}) const;
    // A statement that changes rows; gives the number of rows it changed.
    StoreResult<int> write(const QString &sql, const QVariantList &values = {}) const;
    StoreStatus run(const QString &sql, const QVariantList &values = {}) const;
    // Every row of a query, converted by read; nothing while unavailable.
    template <typename Row, typename Read>
    StoreResult<std::vector<Row>> select(const QString &sql, const QVariantList &values,
                                         Read read) const;
    // Runs work in one transaction: either all of it lands or the tables stay as they were.
    // Inside another one it is part of that one.
    StoreStatus inTransaction(const std::function<StoreStatus()> &work) const;

private:
    QString m_name;
    bool m_available = false;
    int m_openings = 0;
    mutable int m_transactionDepth = 0;
    std::string m_reason = "The company database is not open";
};

// The driver's own text for an error.
StoreError driverError(const QSqlError &error);

// Bound text; symbols and names that are empty go in as NULL ("not listed", "not given").
QVariant textValue(std::string_view text);
QVariant optionalTextValue(std::string_view text);
// Text read back; NULL reads as empty.
std::string textOf(const QVariant &value);

template <typename Row, typename Read>
StoreResult<std::vector<Row>> StoreConnection::select(const QString &sql,
                                                      const QVariantList &values, Read read) const
{
    std::vector<Row> rows;
    if (!m_available)
        return rows;
    auto query = exec(sql, values);
    if (!query)
        return StoreError{query.error()};
    QSqlQuery &q = query.value();
    while (q.next())
        rows.push_back(read(q));
    if (q.lastError().isValid())
        return driverError(q.lastError());
    return rows;
}
