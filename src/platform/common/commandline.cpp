#include "platform/common/commandline.h"

#include <QCommandLineParser>
#include <QUrl>

namespace {

struct ServiceOption
{
    const char *name;
    const char *variable;
    const char *description;
    std::string ServiceUrls::*field;
};

const ServiceOption ServiceOptions[] = {
    {"quote-url", "VANTREL_QUOTE_URL", "Quote service base URL (quotes.csv).", &ServiceUrls::quote},
    {"chart-url", "VANTREL_CHART_URL", "Chart image service base URL.", &ServiceUrls::chart},
    {"chartdata-url", "VANTREL_CHARTDATA_URL", "Chart data (backfill) service base URL.",
     &ServiceUrls::chartData},
    {"exchange-url", "VANTREL_EXCHANGE_URL", "Exchange pages (futures) base URL.",
     &ServiceUrls::exchange},
    {"lookup-url", "VANTREL_LOOKUP_URL", "Symbol lookup page base URL.", &ServiceUrls::lookup},
};

// A base URL is kept without a trailing slash; the program appends its own paths.
QString normaliseBase(QString url)
{
    url = url.trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

AppOptions parseCommandLine(const QStringList &arguments, const EnvironmentLookup &environment)
{
    AppOptions options;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Vantrel: NSE and BSE market watch.\n"
        "With no quote service given, Vantrel starts its own simulated market (vantrel-sim) and "
        "uses it\n"
        "for every service; each URL option can also come from its environment variable."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QList<QCommandLineOption> serviceOptions;
    for (const ServiceOption &s : ServiceOptions) {
        serviceOptions.append(QCommandLineOption(QString::fromLatin1(s.name),
                                                 QString::fromLatin1(s.description) +
                                                     QStringLiteral(" Environment: ") +
                                                     QString::fromLatin1(s.variable),
                                                 QStringLiteral("url")));
        parser.addOption(serviceOptions.last());
    }
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Data folder (default: $VANTREL_HOME, else ~/Vantrel)."),
        QStringLiteral("dir"));
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("Company database file (SQLite)."),
                                      QStringLiteral("file"));
    const QCommandLineOption dsn(QStringLiteral("dsn"),
                                 QStringLiteral("Use this ODBC data source instead."),
                                 QStringLiteral("name"));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash screen."));
    const QCommandLineOption initDb(
        QStringLiteral("init-db"),
        QStringLiteral("Prepare an empty company database (the --database file or the "
                       "--dsn source) with its tables and company list, then exit. "
                       "Needs no display."));
    parser.addOptions({dataDir, database, dsn, noSplash, initDb});

    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    options.helpRequested = parser.isSet(help);
    options.versionRequested = parser.isSet(version);
    options.helpText = parser.helpText();
    for (qsizetype i = 0; i < serviceOptions.size(); ++i) {
        const ServiceOption &s = ServiceOptions[i];
        QString value = parser.isSet(serviceOptions[i]) ? parser.value(serviceOptions[i])
                                                        : environment(s.variable);
        value = normaliseBase(value);
        if (!value.isEmpty()) {
            const QUrl url(value, QUrl::StrictMode);
            if (!url.isValid() ||
                (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
                options.error = QStringLiteral("Not an http URL for --%1: %2")
                                    .arg(QString::fromLatin1(s.name), value);
                return options;
            }
        }
        options.services.*(s.field) = value.toStdString();
    }
    options.dataDir = parser.value(dataDir);
    options.database = parser.value(database);
    options.dsn = parser.value(dsn);
    options.splash = !parser.isSet(noSplash);
    options.initDb = parser.isSet(initDb);
    return options;
}

bool runsWithoutWindows(const QStringList &arguments)
{
    static const QStringList headless = {QStringLiteral("--init-db"),  QStringLiteral("--help"),
                                         QStringLiteral("-h"),         QStringLiteral("-?"),
                                         QStringLiteral("--help-all"), QStringLiteral("--version"),
                                         QStringLiteral("-v")};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--"))
            break;
        if (headless.contains(arguments[i]))
            return true;
    }
    return false;
}

bool needsSimulator(const ServiceUrls &services)
{
    return services.quote.empty() || services.chart.empty() || services.chartData.empty() ||
           services.exchange.empty() || services.lookup.empty();
}

void useSimulatorFor(ServiceUrls &services, const std::string &simulatorUrl)
{
    services.simulated = services.quote.empty();
    for (const ServiceOption &s : ServiceOptions)
        if ((services.*(s.field)).empty())
            services.*(s.field) = simulatorUrl;
}
