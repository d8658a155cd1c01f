#include "gui/common/programmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

QFunctionPointer resolveProgramModule(const QString &module, const char *function, QString *error)
{
    const QDir bin(QCoreApplication::applicationDirPath());
    QString failure;
    for (const QString &dir : {bin.path(), bin.filePath(QStringLiteral(VANTREL_MODULE_DIR))}) {
        QLibrary library(QDir(dir).filePath(module));
        if (const QFunctionPointer found = library.resolve(function))
            return found;
        failure += (failure.isEmpty() ? QString() : QStringLiteral("\n")) + library.errorString();
    }
    if (error)
        *error = failure;
    return nullptr;
}
