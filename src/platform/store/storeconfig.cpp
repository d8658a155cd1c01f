#include "platform/store/storeconfig.h"

#include <QDir>
#include <QFileInfo>

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
    // A user of an older release keeps the folder they have; a new one gets the desktop's
    // data folder ($XDG_DATA_HOME, else ~/.local/share).
    const QString home = environment.value(QStringLiteral("HOME"), QDir::homePath());
    const QString existing = QDir(home).filePath(QStringLiteral("Vantrel"));
    if (QFileInfo(existing).isDir())
        return existing;
    QString xdg = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (xdg.isEmpty() || QDir::isRelativePath(xdg))
        xdg = QDir(home).filePath(QStringLiteral(".local/share"));
    return QDir::cleanPath(QDir(xdg).filePath(QStringLiteral("vantrel")));
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
