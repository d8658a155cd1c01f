#include "gui/charts/chartsmodule.h"

#include "gui/common/programmodule.h"

MakeChartBackend ChartsModule::factory(QString *error)
{
    static QString failure;
    static const auto make = reinterpret_cast<MakeChartBackend>(
        resolveProgramModule(QStringLiteral("vantrel-charts"), MakeChartBackendName, &failure));
    if (!make && error)
        *error = failure;
    return make;
}
