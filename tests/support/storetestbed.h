#pragma once

#include "platform/store/companydatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLibrary>
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

    bool setUp()
    {
        // VANTREL_SQLITE_ODBC overrides the search; Debian keeps ODBC drivers in the multiarch
        // folder of the machine's architecture.
        QString driver = qEnvironmentVariable("VANTREL_SQLITE_ODBC");
        for (const QString &arch : QDir("/usr/lib").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (const QString so = "/usr/lib/" + arch + "/odbc/libsqlite3odbc.so";
                driver.isEmpty() && QFileInfo::exists(so))
                driver = so;
        const QString odbcDir = path("odbc");
        if (!m_dir.isValid() || driver.isEmpty() || !QDir().mkpath(odbcDir)) {
            m_error = driver.isEmpty() ? "the SQLite ODBC driver (libsqliteodbc) is not installed"
                                       : "no temporary folder";
            return false;
        }
        const auto write = [](const QString &file, const QString &text) {
            QFile out(file);
            return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   out.write(text.toUtf8()) == text.toUtf8().size();
        };
        if (!write(odbcDir + "/odbcinst.ini", "[Vantrel SQLite3]\nDriver=" + driver + '\n') ||
            !write(odbcDir + "/odbc.ini",
                   QStringLiteral("[%1]\nDriver=Vantrel SQLite3\nDatabase=%2\n")
                       .arg(DataSourceName, odbcDatabaseFile()))) {
            m_error = "can't write the ODBC configuration";
            return false;
        }
        // unixODBC's configuration reader keeps what it parsed for good. Leak reports can name
        // it (and the suppressions skip it) only while it is mapped, so it is never unloaded.
        static QLibrary reader("odbcinst", 2);
        reader.setLoadHints(QLibrary::PreventUnloadHint);
        reader.load();
        qputenv("ODBCSYSINI", QFile::encodeName(odbcDir));
        qputenv("ODBCINI", QFile::encodeName(odbcDir + "/odbc.ini"));
        return true;
    }
    QString errorText() const { return m_error; }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The database file behind the data source.
    QString odbcDatabaseFile() const { return path("odbc/CompanyList.sqlite"); }
    StoreConfig config(StoreBackend backend) const
    {
        StoreConfig config;
        if (backend == StoreBackend::Odbc)
            config.dsn = DataSourceName;
        else
            config.databaseFile = path("sqlite/CompanyList.sqlite");
        return config;
    }

    // Replaces the backend's database by a newly prepared and seeded one and opens it.
    bool recreate(StoreBackend backend, CompanyDatabase &database)
    {
        database.close();
        const StoreConfig wanted = config(backend);
        QFile::remove(backend == StoreBackend::Odbc ? odbcDatabaseFile() : wanted.databaseFile);
        StoreStatus done = initDatabase(wanted);
        if (done)
            done = database.open(wanted);
        m_error = QString::fromStdString(done.error());
        return done.ok();
    }

    // A file's content hash, to show that nothing wrote to it.
    static QByteArray digest(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QString m_error;
};
