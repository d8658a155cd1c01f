#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the company database is: an ODBC data source when one is named, else the embedded
// SQLite file.
struct StoreConfig
{
    QString dsn;
    QString databaseFile;

    bool usesOdbc() const { return !dsn.isEmpty(); }
    // The file or data source, as error messages name it.
    QString describe() const { return usesOdbc() ? dsn : databaseFile; }
};

inline constexpr const char *DefaultDatabaseFileName = "CompanyList.sqlite";

// The data root: --data-dir, else VANTREL_HOME, else the platform's default folder
// (C:\Vantrel on Windows; elsewhere an existing ~/Vantrel, else $XDG_DATA_HOME/vantrel, which
// is ~/.local/share/vantrel by default).
QString
resolveDataRoot(const QString &dataDirOption,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// The store from --dsn, --database and the data root.
StoreConfig resolveStoreConfig(const QString &dsnOption, const QString &databaseOption,
                               const QString &dataRoot);
