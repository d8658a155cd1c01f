#include "gui/charts/chartsmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

MakeChartBackend ChartsModule::factory(QString *error)
{
    static MakeChartBackend make = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        // Beside the program in a build tree, in the library folder once installed.
        const QDir bin(QCoreApplication::applicationDirPath());
        for (const QString &dir : {bin.path(), bin.filePath(QStringLiteral(VANTREL_MODULE_DIR))}) {
            QLibrary library(QDir(dir).filePath(QStringLiteral("vantrel-charts")));
            make = reinterpret_cast<MakeChartBackend>(library.resolve(MakeChartBackendName));
            if (make)
                break;
            if (failure.isEmpty())
                failure = library.errorString();
        }
    }
    if (!make && error)
        *error = failure;
    return make;
}
