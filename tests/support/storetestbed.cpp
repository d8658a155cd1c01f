#include "support/storetestbed.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

namespace {
// The SQLite ODBC driver library; VANTREL_SQLITE_ODBC overrides the search. Debian keeps ODBC
// drivers in the multiarch folder of the machine's architecture.
QString sqliteOdbcDriver()
{
    QString found = qEnvironmentVariable("VANTREL_SQLITE_ODBC");
    for (const QString &arch :
         QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString candidate = QStringLiteral("/usr/lib/%1/odbc/libsqlite3odbc.so").arg(arch);
        if (found.isEmpty() && QFileInfo::exists(candidate))
            found = candidate;
    }
    return found;
}

bool writeText(const QString &file, const QString &text)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           out.write(text.toUtf8()) == text.toUtf8().size();
}
} // namespace

QByteArray StoreTestBed::digest(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

bool StoreTestBed::setUp()
{
    const QString driver = sqliteOdbcDriver();
    const QString odbcDir = path("odbc");
    if (!m_dir.isValid() || driver.isEmpty() || !QDir().mkpath(odbcDir)) {
        m_error = driver.isEmpty()
                      ? QStringLiteral("the SQLite ODBC driver (libsqliteodbc) is not installed")
                      : QStringLiteral("no temporary folder");
        return false;
    }
    if (!writeText(odbcDir + QStringLiteral("/odbcinst.ini"),
                   QStringLiteral("[Vantrel SQLite3]\nDriver=%1\n").arg(driver)) ||
        !writeText(odbcDir + QStringLiteral("/odbc.ini"),
                   QStringLiteral("[%1]\nDriver=Vantrel SQLite3\nDatabase=%2\n")
                       .arg(QString::fromLatin1(DataSourceName), odbcDatabaseFile()))) {
        m_error = QStringLiteral("can't write the ODBC configuration");
        return false;
    }
    // unixODBC's configuration reader keeps what it parsed for good. Leak reports can name it
    // (and the suppressions skip it) only while it is mapped, so it is never unloaded.
    static QLibrary reader("odbcinst", 2);
    reader.setLoadHints(QLibrary::PreventUnloadHint);
    reader.load();
    qputenv("ODBCSYSINI", QFile::encodeName(odbcDir));
    qputenv("ODBCINI", QFile::encodeName(odbcDir + QStringLiteral("/odbc.ini")));
    return true;
}

StoreConfig StoreTestBed::config(StoreBackend backend) const
{
    StoreConfig config;
    if (backend == StoreBackend::Odbc)
        config.dsn = QString::fromLatin1(DataSourceName);
    else
        config.databaseFile = path("sqlite/CompanyList.sqlite");
    return config;
}

bool StoreTestBed::recreate(StoreBackend backend, CompanyDatabase &database)
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
