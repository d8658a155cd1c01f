#include "platform/store/sqlitefile.h"

#include "platform/store/storeconnection.h"
#include "platform/store/storeschema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString quoted(const QString &file)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(file) + QLatin1Char('"');
}

// Permission bits as well as access(): root may write anything, but a file that nobody may
// write to is one the user meant to keep as it is.
bool anyBit(QFileDevice::Permissions have, QFileDevice::Permissions bits)
{
    return (have & bits) != 0;
}
} // namespace

QString lockWaitOption()
{
    return QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(StoreConnection::LockWaitMs);
}

TemporaryConnection::TemporaryConnection(const QString &driver, const QString &databaseName,
                                         const QString &options)
{
    static int counter = 0;
    m_name = QStringLiteral("vantrel-temporary-%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_name);
    db.setDatabaseName(databaseName);
    db.setConnectOptions(options);
}

TemporaryConnection::~TemporaryConnection()
{
    database().close();
    QSqlDatabase::removeDatabase(m_name);
}

StoreResult<QStringList> examineDatabaseFile(const QString &file)
{
    const QFileInfo info(file);
    const QFileDevice::Permissions mode = QFile::permissions(file);
    if (!info.isFile())
        return StoreError{(quoted(file) + QStringLiteral(" is not a file")).toStdString()};
    if (!info.isReadable() ||
        !anyBit(mode, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther))
        return StoreError{(QStringLiteral("The company database ") + quoted(file) +
                           QStringLiteral(" can't be read"))
                              .toStdString()};
    if (!info.isWritable() ||
        !anyBit(mode, QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther))
        return StoreError{(QStringLiteral("The company database ") + quoted(file) +
                           QStringLiteral(" is read-only"))
                              .toStdString()};
    // SQLite writes its journal beside the file: a folder that takes no new file makes
    // every change fail, however writable the file itself is.
    if (!QFileInfo(info.absolutePath()).isWritable())
        return StoreError{(QStringLiteral("The company database ") + quoted(file) +
                           QStringLiteral(" is read-only: its folder ") +
                           quoted(info.absolutePath()) + QStringLiteral(" can't be written"))
                              .toStdString()};

    TemporaryConnection probe(QStringLiteral("QSQLITE"), file,
                              QStringLiteral("QSQLITE_OPEN_READONLY;") + lockWaitOption());
    QSqlDatabase db = probe.database();
    QSqlError error;
    if (!db.open()) {
        error = db.lastError();
    } else {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")))
            error = query.lastError();
    }
    if (error.isValid())
        return StoreError{(quoted(file) + QStringLiteral(" is not a company database: ") +
                           QString::fromStdString(driverError(error).text))
                              .toStdString()};
    return presentStoreTables(db);
}

StoreStatus createDatabaseFile(const QString &file)
{
    const QString part = file + QStringLiteral(".part");
    const auto failed = [&](const std::string &why) {
        QFile::remove(part);
        return StoreError{(QStringLiteral("Can't create the company database ") + quoted(file) +
                           QStringLiteral(": "))
                              .toStdString() +
                          why};
    };
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return failed("its folder can't be made");
    QFile::remove(part); // what an interrupted first start left
    {
        TemporaryConnection building(QStringLiteral("QSQLITE"), part);
        if (!building.database().open())
            return failed(driverError(building.database().lastError()).text);
        StoreConnection connection(building.name());
        connection.setAvailable();
        if (auto seeded = createAndSeed(connection); !seeded)
            return failed(seeded.error());
    }
    if (!QFile::rename(part, file))
        return failed("it can't be moved into place");
    return storeOk();
}
