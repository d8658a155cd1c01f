#include "platform/store/schemaversion.h"

#include "platform/store/storeconnection.h"
#include "platform/store/storemigrations.h"

namespace {
bool isSqlite(const StoreConnection &connection)
{
    return connection.database().driverName() == QLatin1String("QSQLITE");
}

bool hasVersionTable(const StoreConnection &connection)
{
    return connection.database()
        .tables(QSql::Tables)
        .contains(QStringLiteral("SCHEMAVERSION"), Qt::CaseInsensitive);
}

StoreStatus recordVersion(const StoreConnection &connection, int version)
{
    if (isSqlite(connection)) // a pragma takes no bound value; the number is our own
        return connection.run(QStringLiteral("PRAGMA user_version = %1").arg(version));
    if (!hasVersionTable(connection))
        if (auto made =
                connection.run(QStringLiteral("CREATE TABLE SCHEMAVERSION (VERSION INTEGER)"));
            !made)
            return made;
    if (auto cleared = connection.run(QStringLiteral("DELETE FROM SCHEMAVERSION")); !cleared)
        return cleared;
    return connection.run(QStringLiteral("INSERT INTO SCHEMAVERSION (VERSION) VALUES (?)"),
                          {version});
}

StoreStatus migrate(const StoreConnection &connection, int from)
{
    const auto &steps = storeMigrations();
    for (int version = from; version < int(steps.size()); ++version)
        if (auto done = steps[std::size_t(version)](connection); !done)
            return StoreError{"Upgrading the company database to version " +
                              std::to_string(version + 1) + " failed: " + done.error()};
    return recordVersion(connection, int(steps.size()));
}
} // namespace

int currentSchemaVersion()
{
    return int(storeMigrations().size());
}

StoreResult<int> storedSchemaVersion(const StoreConnection &connection)
{
    const QString sql = isSqlite(connection) ? QStringLiteral("PRAGMA user_version")
                        : hasVersionTable(connection)
                            ? QStringLiteral("SELECT MAX(VERSION) FROM SCHEMAVERSION")
                            : QString();
    if (sql.isEmpty())
        return 0;
    auto rows =
        connection.select<int>(sql, {}, [](const QSqlQuery &q) { return q.value(0).toInt(); });
    if (!rows)
        return StoreError{rows.error()};
    return rows.value().empty() ? 0 : rows.value().front();
}

StoreStatus upgradeSchema(const StoreConnection &connection, const std::string &what)
{
    auto stored = storedSchemaVersion(connection);
    if (!stored)
        return StoreError{stored.error()};
    const int version = stored.value();
    const int known = currentSchemaVersion();
    if (version > known)
        return StoreError{what + " was written by a newer version of Vantrel (schema version " +
                          std::to_string(version) + "; this one knows up to " +
                          std::to_string(known) +
                          "). It was left as it is: use the newer Vantrel with it."};
    if (version == known)
        return storeOk();
    return connection.inTransaction([&] { return migrate(connection, version); });
}

StoreStatus migrateFresh(const StoreConnection &connection)
{
    return migrate(connection, 0);
}
