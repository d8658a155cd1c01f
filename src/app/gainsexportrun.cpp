#include "gainsexportrun.h"

#include "core/gains/gainsexport.h"
#include "core/gains/tradelotsales.h"
#include "platform/store/companydatabase.h"
#include "platform/store/pricedtrades.h"

#include <QFileInfo>

#include <cstdio>
#include <string_view>

namespace {
constexpr int Written = 0;
constexpr int BadYear = 2;
constexpr int NotWritten = 3;

int refuse(const std::string &why)
{
    std::fprintf(stderr, "vantrel: %s\nNothing was written.\n", why.c_str());
    return NotWritten;
}
} // namespace

int runExportGains(CompanyDatabase &database, const QString &year, const QString &file)
{
    const auto financialYear = parseFinancialYear(year.toStdString());
    if (!financialYear) {
        std::fprintf(stderr, "vantrel: \"%s\" is not a financial year such as 2025-26\n",
                     qPrintable(year));
        return BadYear;
    }
    if (!database.isOpen())
        return refuse(database.connection().unavailableReason());
    auto lines = pricedTradeLines(database);
    if (!lines)
        return refuse(lines.error());
    auto values = database.jan2018Values().loadAll();
    if (!values)
        return refuse(values.error());
    const GainsReport report = gainsReport(lotSales(lines.value()), *financialYear, values.value());

    // The export writer adds the ".csv" itself.
    const QFileInfo target(file);
    QString name = target.fileName();
    if (name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        name.chop(4);
    StdDataFileSystem disk;
    const std::string message =
        gainsexport::write(disk, target.absolutePath().toStdString(), name.toStdString(), report);
    if (!std::string_view(message).starts_with(gainsexport::Exported))
        return refuse(message);
    std::printf("Gains report for %s: %zu delivery sales, %zu intraday.\n",
                financialYear->name().c_str(), report.rows.size(), report.intraday.size());
    if (report.leftOut > 0)
        std::printf("%d left out of the totals: they need a 31-Jan-2018 value or a buy date "
                    "(see the file).\n",
                    report.leftOut);
    std::printf("Written to %s\n",
                message.substr(std::string_view(gainsexport::Exported).size()).c_str());
    return Written;
}
