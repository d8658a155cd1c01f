#include "platform/store/companydatabase.h"

#include "platform/store/schemaversion.h"
#include "platform/store/sqlitefile.h"
#include "platform/store/storeschema.h"

#include <QDir>
#include <QFileInfo>

#include <cctype>

namespace {
const QString Sqlite = QStringLiteral("QSQLITE");
const QString Odbc = QStringLiteral("QODBC");

// "the ODBC data source ..." or "the company database ...", for messages that name the store.
std::string dataSource(const QString &dsn)
{
    return "the ODBC data source \"" + dsn.toStdString() + "\"";
}

std::string capitalized(std::string text)
{
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

QStringList missingOf(const QStringList &present)
{
    QStringList missing;
    for (const QString &table : storeTables())
        if (!present.contains(table))
            missing << table;
    return missing;
}

std::string fileName(const QString &file)
{
    return "\"" + QDir::toNativeSeparators(file).toStdString() + "\"";
}
} // namespace

CompanyDatabase::CompanyDatabase(QString connectionName) : m_connection(std::move(connectionName))
{
}

CompanyDatabase::~CompanyDatabase()
{
    close();
}

StoreStatus CompanyDatabase::open(const StoreConfig &config)
{
    close();
    return config.usesOdbc() ? openDataSource(config.dsn) : openFile(config.databaseFile);
}

void CompanyDatabase::close()
{
    m_connection.setUnavailable("The company database is not open");
    if (QSqlDatabase::contains(m_connection.name())) {
        m_connection.database().close();
        QSqlDatabase::removeDatabase(m_connection.name());
    }
}

StoreStatus CompanyDatabase::unavailable(const std::string &reason)
{
    close();
    m_connection.setUnavailable(reason);
    return StoreError{reason};
}

StoreStatus CompanyDatabase::openFile(const QString &file)
{
    if (!QFileInfo::exists(file)) {
        if (auto created = createDatabaseFile(file); !created)
            return unavailable(created.error());
    } else {
        auto tables = examineDatabaseFile(file);
        if (!tables)
            return unavailable(tables.error());
        if (tables.value().isEmpty())
            return unavailable("The company database " + fileName(file) +
                               " has none of its tables; --init-db prepares them");
        if (const QStringList missing = missingOf(tables.value()); !missing.isEmpty())
            return unavailable("The company database " + fileName(file) + " lacks the tables " +
                               missing.join(QStringLiteral(", ")).toStdString());
    }
    std::string failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Sqlite, m_connection.name());
        db.setDatabaseName(file);
        db.setConnectOptions(lockWaitOption());
        if (!db.open())
            failure = "Can't open the company database " + fileName(file) + ": " +
                      driverError(db.lastError()).text;
    }
    if (!failure.empty())
        return unavailable(failure);
    return upgraded("The company database " + fileName(file));
}

StoreStatus CompanyDatabase::upgraded(const std::string &what)
{
    m_connection.setAvailable();
    if (auto upgrade = upgradeSchema(m_connection, what); !upgrade)
        return unavailable(upgrade.error());
    return storeOk();
}

StoreStatus CompanyDatabase::openDataSource(const QString &dsn)
{
    std::string failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Odbc, m_connection.name());
        db.setDatabaseName(dsn); // with QODBC a bare name is a data source name
        if (!db.open()) {
            failure = "Can't open " + dataSource(dsn) + ": " + driverError(db.lastError()).text;
        } else if (const QStringList missing = missingOf(presentStoreTables(db));
                   !missing.isEmpty()) {
            failure = capitalized(dataSource(dsn)) + " lacks the tables " +
                      missing.join(QStringLiteral(", ")).toStdString() +
                      "; prepare it with --init-db";
        }
    }
    if (!failure.empty())
        return unavailable(failure);
    return upgraded(capitalized(dataSource(dsn)));
}

StoreStatus initDatabase(const StoreConfig &config)
{
    const bool odbc = config.usesOdbc();
    const std::string what =
        odbc ? dataSource(config.dsn) : "the company database " + fileName(config.databaseFile);
    if (!odbc) {
        if (!QFileInfo::exists(config.databaseFile))
            return createDatabaseFile(config.databaseFile);
        auto tables = examineDatabaseFile(config.databaseFile);
        if (!tables)
            return StoreError{tables.error()};
    }
    TemporaryConnection preparing(odbc ? Odbc : Sqlite, odbc ? config.dsn : config.databaseFile);
    QSqlDatabase db = preparing.database();
    if (!db.open())
        return StoreError{"Can't open " + what + ": " + driverError(db.lastError()).text};
    const QStringList present = presentStoreTables(db);
    if (!present.isEmpty())
        return StoreError{capitalized(what) + " already has the tables " +
                          present.join(QStringLiteral(", ")).toStdString() +
                          "; it was left as it is"};
    StoreConnection connection(preparing.name());
    connection.setAvailable();
    return createAndSeed(connection);
}
