#include "storestart.h"

#include "platform/store/companydatabase.h"
#include "platform/store/schemaversion.h"
#include "platform/store/storeschema.h"

#include <QDir>
#include <QSqlQuery>

#include <cstdio>

namespace {
QString describe(const StoreConfig &config)
{
    return config.usesOdbc() ? QStringLiteral("the ODBC data source \"%1\"").arg(config.dsn)
                             : QStringLiteral("the company database \"%1\"")
                                   .arg(QDir::toNativeSeparators(config.databaseFile));
}

qlonglong rowCount(const CompanyDatabase &database, const QString &table)
{
    QSqlQuery query(database.connection().database());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && query.next()
               ? query.value(0).toLongLong()
               : -1;
}
int schemaVersion(const CompanyDatabase &database)
{
    const StoreResult<int> version = storedSchemaVersion(database.connection());
    return version ? version.value() : -1;
}
} // namespace

int runInitDb(const StoreConfig &config)
{
    if (const StoreStatus done = initDatabase(config); !done) {
        std::fprintf(stderr, "vantrel: %s\n", done.error().c_str());
        return 1;
    }
    // Read back what landed, through the same way the program will open it.
    CompanyDatabase database(QStringLiteral("init-db"));
    if (const StoreStatus opened = database.open(config); !opened) {
        std::fprintf(stderr, "vantrel: prepared %s, but it can't be opened: %s\n",
                     qPrintable(describe(config)), opened.error().c_str());
        return 1;
    }
    std::printf("Prepared %s: created the tables %s; CompanyList holds %lld companies and "
                "Future %lld contracts; the schema is at version %d.\n",
                qPrintable(describe(config)), qPrintable(storeTables().join(QStringLiteral(", "))),
                rowCount(database, QStringLiteral("CompanyList")),
                rowCount(database, QStringLiteral("Future")), schemaVersion(database));
    return 0;
}

std::string openCompanyDatabase(CompanyDatabase &database, const StoreConfig &config)
{
    if (database.open(config))
        return {};
    return database.connection().unavailableMessage();
}
