#pragma once

#include "platform/store/companydatabase.h"

#include <QString>
#include <QTemporaryDir>

// The two ways tests reach the company database: the SQLite file directly, and a SQLite
// file through unixODBC and the SQLite ODBC driver under the data source name "CompanyList".
enum class StoreBackend { Sqlite, Odbc };

// A temporary folder with an ODBC configuration of the test's own: odbcinst.ini names the
// SQLite ODBC driver, odbc.ini defines "CompanyList" on a file in the folder, and ODBCSYSINI
// and ODBCINI point there. Set it up before the ODBC driver loads (in initTestCase).
class StoreTestBed
{
public:
    static constexpr const char *DataSourceName = "CompanyList";

    bool setUp();
    QString errorText() const { return m_error; }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The database file behind the data source.
    QString odbcDatabaseFile() const { return path("odbc/CompanyList.sqlite"); }
    StoreConfig config(StoreBackend backend) const;

    // Replaces the backend's database by a newly prepared and seeded one and opens it.
    bool recreate(StoreBackend backend, CompanyDatabase &database);

    // A file's content hash, to show that nothing wrote to it.
    static QByteArray digest(const QString &file);

private:
    QTemporaryDir m_dir;
    QString m_error;
};
