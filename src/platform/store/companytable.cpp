#include "platform/store/companytable.h"

#include "platform/store/storeconnection.h"

namespace {
const QString Columns = QStringLiteral("SELECT COMPNAME, NSENAME, BSENAME FROM CompanyList ");

// Both NULL and empty mean "not listed": older lists wrote one, ours writes the other.
QString listedCondition(Exchange exchange)
{
    return exchange == Exchange::Nse ? QStringLiteral("NSENAME IS NOT NULL AND NSENAME <> ''")
                                     : QStringLiteral("BSENAME IS NOT NULL AND BSENAME <> ''");
}

CompanyRow readCompany(const QSqlQuery &query)
{
    return CompanyRow{textOf(query.value(0)), textOf(query.value(1)), textOf(query.value(2))};
}
} // namespace

std::string CompanyTable::containsPattern(std::string_view part)
{
    std::string pattern = "%";
    for (char c : part) {
        if (c == '%' || c == '_' || c == '!')
            pattern += '!';
        pattern += c;
    }
    return pattern + '%';
}

StoreResult<std::vector<CompanyRow>> CompanyTable::searchByName(std::string_view part,
                                                                Exchange exchange)
{
    // An empty answer would read as "no such company"; the user is told why instead.
    if (!m_connection.available())
        return StoreError{m_connection.unavailableMessage()};
    if (const std::optional<Stamp> now = stamp()) {
        std::optional<Indexed> &indexed = m_indexed[std::size_t(exchange)];
        if (!indexed || indexed->stamp != *now) {
            auto listed = listedOn(exchange);
            if (!listed)
                return StoreError{listed.error()};
            indexed = Indexed{*now, CompanyIndex(std::move(listed.value()))};
        }
        return indexed->index.find(part);
    }
    return m_connection.select<CompanyRow>(
        Columns + QStringLiteral("WHERE COMPNAME LIKE ? ESCAPE '!' AND ") +
            listedCondition(exchange) + QStringLiteral(" ORDER BY UPPER(COMPNAME), COMPNAME"),
        {textValue(containsPattern(part))}, readCompany);
}

std::optional<CompanyTable::Stamp> CompanyTable::stamp() const
{
    // Only SQLite counts its changes; through ODBC every search asks the data source.
    if (m_connection.database().driverName() != QLatin1String("QSQLITE"))
        return std::nullopt;
    auto query = m_connection.exec(
        QStringLiteral("SELECT total_changes(), data_version FROM pragma_data_version"));
    if (!query || !query.value().next())
        return std::nullopt;
    return Stamp{m_connection.openings(), query.value().value(0).toLongLong(),
                 query.value().value(1).toLongLong()};
}

StoreResult<std::vector<CompanyRow>> CompanyTable::listedOn(Exchange exchange)
{
    return m_connection.select<CompanyRow>(
        Columns + QStringLiteral("WHERE ") + listedCondition(exchange) +
            QStringLiteral(" ORDER BY UPPER(COMPNAME), COMPNAME"),
        {}, readCompany);
}

StoreResult<bool> CompanyTable::hasSymbol(Exchange exchange, std::string_view symbol)
{
    const QString column =
        exchange == Exchange::Nse ? QStringLiteral("NSENAME") : QStringLiteral("BSENAME");
    auto found = m_connection.select<bool>(
        QStringLiteral("SELECT COUNT(*) FROM CompanyList WHERE %1 = ?").arg(column),
        {textValue(symbol)},
        [](const QSqlQuery &query) { return query.value(0).toLongLong() > 0; });
    if (!found)
        return StoreError{found.error()};
    return !found.value().empty() && found.value().front();
}

StoreStatus CompanyTable::insert(const CompanyRow &row)
{
    return m_connection.run(
        QStringLiteral("INSERT INTO CompanyList (COMPNAME, BSENAME, NSENAME) VALUES (?, ?, ?)"),
        {textValue(row.name), optionalTextValue(row.bseName), optionalTextValue(row.nseName)});
}
