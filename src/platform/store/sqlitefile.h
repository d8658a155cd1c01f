#pragma once

#include "core/store/storeresult.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// A connection of its own for a short job (checking, creating, preparing a database),
// removed again when it goes.
class TemporaryConnection
{
public:
    TemporaryConnection(const QString &driver, const QString &databaseName,
                        const QString &options = {});
    ~TemporaryConnection();
    TemporaryConnection(const TemporaryConnection &) = delete;
    TemporaryConnection &operator=(const TemporaryConnection &) = delete;

    const QString &name() const { return m_name; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

// The connect option that bounds the wait for another program's lock (LockWaitMs).
QString lockWaitOption();

// Which of the company tables an existing SQLite file has, found out without writing to it;
// an error when the file or its folder can't be read or written or it is no database at all.
StoreResult<QStringList> examineDatabaseFile(const QString &file);

// Creates and seeds a new database file. It is built beside its final name and renamed into
// place only when complete, so a failed or interrupted first start leaves no half-made file.
StoreStatus createDatabaseFile(const QString &file);
