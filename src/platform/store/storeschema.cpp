#include "platform/store/storeschema.h"

#include "core/store/seedlist.h"
#include "platform/store/schemaversion.h"
#include "platform/store/storeconnection.h"

#include <QFile>

namespace {
// The schema and seed lists are built into the program (resources under :/store).
StoreResult<QByteArray> shipped(const QString &name)
{
    QFile file(QStringLiteral(":/store/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return StoreError{"The program's own " + name.toStdString() + " is missing"};
    return file.readAll();
}

QStringList statementsOf(const QByteArray &schema)
{
    QStringList statements;
    QString current;
    for (const QByteArray &raw : schema.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char(' ');
        if (line.endsWith(QLatin1Char(';'))) {
            current.chop(2);
            statements << current;
            current.clear();
        }
    }
    return statements;
}

// Fills one table from a shipped list. Each field goes to the column at the same position;
// an empty field is NULL.
StoreStatus seed(const StoreConnection &connection, const QString &file, const QString &header,
                 const QString &insert)
{
    auto csv = shipped(file);
    if (!csv)
        return StoreError{csv.error()};
    auto rows = readSeedList(std::string_view(csv.value().constData(), csv.value().size()),
                             file.toStdString(), header.toStdString());
    if (!rows)
        return StoreError{rows.error()};

    QSqlQuery query(connection.database());
    if (!query.prepare(insert))
        return driverError(query.lastError());
    for (const SeedRow &row : rows.value()) {
        for (std::size_t i = 0; i < row.size(); ++i)
            query.bindValue(static_cast<int>(i), optionalTextValue(row[i]));
        if (!query.exec())
            return driverError(query.lastError());
    }
    return storeOk();
}
} // namespace

const QStringList &storeTables()
{
    static const QStringList tables = {
        QStringLiteral("CompanyList"), QStringLiteral("SelectedComp2Watch"),
        QStringLiteral("BROKERLIST"),  QStringLiteral("PROFILELIST"),
        QStringLiteral("Future"),      QStringLiteral("SelectedFuture")};
    return tables;
}

QStringList presentStoreTables(const QSqlDatabase &db)
{
    const QStringList existing = db.tables(QSql::Tables);
    QStringList present;
    for (const QString &table : storeTables())
        if (existing.contains(table, Qt::CaseInsensitive))
            present << table;
    return present;
}

StoreStatus createAndSeed(const StoreConnection &connection)
{
    auto schema = shipped(QStringLiteral("schema.sql"));
    if (!schema)
        return StoreError{schema.error()};
    return connection.inTransaction([&]() -> StoreStatus {
        for (const QString &statement : statementsOf(schema.value()))
            if (auto created = connection.run(statement); !created)
                return created;
        if (auto companies =
                seed(connection, QStringLiteral("companylist.csv"),
                     QStringLiteral("COMPNAME,NSENAME,BSENAME"),
                     QStringLiteral("INSERT INTO CompanyList (COMPNAME, NSENAME, BSENAME) "
                                    "VALUES (?, ?, ?)"));
            !companies)
            return companies;
        if (auto futures =
                seed(connection, QStringLiteral("futures.csv"), QStringLiteral("Underlying,Symbol"),
                     QStringLiteral("INSERT INTO Future (Underlying, Symbol) VALUES (?, ?)"));
            !futures)
            return futures;
        return migrateFresh(connection);
    });
}
