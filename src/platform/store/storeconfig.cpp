#include "platform/store/storeconfig.h"

#include <QDir>

QString resolveDataRoot(const QString &dataDirOption, const QProcessEnvironment &environment)
{
    if (!dataDirOption.isEmpty())
        return QDir::cleanPath(dataDirOption);
    const QString fromEnvironment = environment.value(QStringLiteral("VANTREL_HOME"));
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Vantrel");
#else
    return QDir(QDir::homePath()).filePath(QStringLiteral("Vantrel"));
#endif
}

StoreConfig resolveStoreConfig(const QString &dsnOption, const QString &databaseOption,
                               const QString &dataRoot)
{
    StoreConfig config;
    config.dsn = dsnOption;
    config.databaseFile =
        databaseOption.isEmpty()
            ? QDir(dataRoot).filePath(QString::fromLatin1(DefaultDatabaseFileName))
            : databaseOption;
    return config;
}
