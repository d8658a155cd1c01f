#include "platform/common/commandline.h"

#include "platform/common/qtwindowoptions.h"

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

// Refuses what is no service base URL: the scheme must be http or https, and a host must
// follow it ("http://" alone names nothing).
QString checkServiceUrl(const ServiceOption &s, const QString &value, const QString &given,
                        bool fromOption)
{
    const QUrl url(value, QUrl::StrictMode);
    const bool web =
        url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (url.isValid() && web && !url.host().isEmpty())
        return {};
    const QString source = fromOption ? QStringLiteral("--") + QString::fromLatin1(s.name)
                                      : QString::fromLatin1(s.variable);
    return QStringLiteral("Not an http URL with a host for %1: %2").arg(source, given.trimmed());
}

// A base URL is kept without a trailing slash; the program appends its own paths.
QString normaliseBase(QString url)
{
    url = url.trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

// The options the program knows. Qt's window options are listed only by --help-all.
struct Options
{
    QCommandLineParser parser;
    QCommandLineOption help{QStringLiteral("help")};
    QCommandLineOption helpAll{QStringLiteral("help-all")};
    QCommandLineOption version{QStringLiteral("version")};
    QList<QCommandLineOption> services;
    QCommandLineOption dataDir{
        QStringLiteral("data-dir"),
        QStringLiteral("Data folder (default: $VANTREL_HOME, else ~/Vantrel if it exists, else "
                       "~/.local/share/vantrel). Settings are kept in ~/.config/vantrel/."),
        QStringLiteral("dir")};
    QCommandLineOption database{QStringLiteral("database"),
                                QStringLiteral("Company database file (SQLite)."),
                                QStringLiteral("file")};
    QCommandLineOption dsn{QStringLiteral("dsn"),
                           QStringLiteral("Use this ODBC data source instead."),
                           QStringLiteral("name")};
    QCommandLineOption bridgeService{
        QStringLiteral("bridge-service"),
        QStringLiteral("Session-bus name of the charting program's bridge (default: "
                       "org.vantrel.ChartBridge). Environment: VANTREL_BRIDGE_SERVICE"),
        QStringLiteral("name")};
    QCommandLineOption chartbookProgram{
        QStringLiteral("chartbook-program"),
        QStringLiteral("Program name that \"Kill All instances\" ends (default: "
                       "vantrel-chartbook). Environment: VANTREL_CHARTBOOK_PROGRAM"),
        QStringLiteral("name")};
    QCommandLineOption live{
        QStringLiteral("live"),
        QStringLiteral("Take the services left empty from live NSE and BSE prices through "
                       "vantrel-gateway instead of the simulated market. Prices may be "
                       "delayed; the sources' terms of use apply.")};
    QCommandLineOption noLive{
        QStringLiteral("no-live"),
        QStringLiteral("Back to the simulated market. Vantrel starts the way it was last told "
                       "(--live or --no-live).")};
    QCommandLineOption noSplash{QStringLiteral("no-splash"),
                                QStringLiteral("Start without the splash screen.")};
    QCommandLineOption newInstance{
        QStringLiteral("new-instance"),
        QStringLiteral("Start another Vantrel even while one runs, instead of bringing the "
                       "running one to the front. Two never share a data folder, so give it "
                       "its own --data-dir.")};
    QCommandLineOption initDb{
        QStringLiteral("init-db"),
        QStringLiteral("Prepare an empty company database (the --database file or the "
                       "--dsn source) with its tables and company list, then exit. "
                       "Needs no display.")};
    QCommandLineOption importTrades{
        QStringLiteral("import-trades"),
        QStringLiteral("Import a broker's tradebook (CSV) into the portfolio's trades, skipping "
                       "trades already held, print what was done, then exit. Exit code 3 when "
                       "nothing was stored. Needs no display."),
        QStringLiteral("file")};
    QCommandLineOption exportGains{
        QStringLiteral("export-gains"),
        QStringLiteral("Write the capital gains report of a financial year (such as 2025-26) "
                       "from the portfolio's trades as CSV to the file that follows, print what "
                       "was written, then exit. Needs no display."),
        QStringLiteral("year")};
    QCommandLineOption broker{QStringLiteral("broker"),
                              QStringLiteral("The broker the imported trades were made through."),
                              QStringLiteral("name")};

    explicit Options(bool listQtOptions)
    {
        parser.setApplicationDescription(QStringLiteral(
            "Vantrel: NSE and BSE market watch.\n"
            "With no quote service given, Vantrel starts its own simulated market (vantrel-sim) "
            "and uses it\n"
            "for every service; each URL option can also come from its environment variable."));
        // Qt's window options come with one dash (-platform): a dash and a word is one option.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        help = parser.addHelpOption();
        version = parser.addVersionOption();
        for (const ServiceOption &s : ServiceOptions) {
            services.append(QCommandLineOption(QString::fromLatin1(s.name),
                                               QString::fromLatin1(s.description) +
                                                   QStringLiteral(" Environment: ") +
                                                   QString::fromLatin1(s.variable),
                                               QStringLiteral("url")));
            parser.addOption(services.last());
        }
        parser.addOptions({dataDir, database, dsn, bridgeService, chartbookProgram, live, noLive,
                           noSplash, newInstance, initDb, importTrades, exportGains, broker});
        addQtWindowOptions(parser, listQtOptions);
    }
};
} // namespace

AppOptions parseCommandLine(const QStringList &arguments, const EnvironmentLookup &environment)
{
    AppOptions options;
    Options known(false);
    QCommandLineParser &parser = known.parser;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    const bool helpAll = parser.isSet(known.helpAll);
    options.helpRequested = parser.isSet(known.help) || helpAll;
    options.versionRequested = parser.isSet(known.version);
    options.helpText = helpAll ? Options(true).parser.helpText() : parser.helpText();
    for (qsizetype i = 0; i < known.services.size(); ++i) {
        const ServiceOption &s = ServiceOptions[i];
        const bool fromOption = parser.isSet(known.services[i]);
        const QString given =
            fromOption ? parser.value(known.services[i]) : environment(s.variable);
        const QString value = normaliseBase(given);
        if (!value.isEmpty()) {
            options.error = checkServiceUrl(s, value, given, fromOption);
            if (!options.error.isEmpty())
                return options;
        }
        options.services.*(s.field) = value.toStdString();
    }
    options.dataDir = parser.value(known.dataDir);
    options.newInstance = parser.isSet(known.newInstance);
    options.database = parser.value(known.database);
    options.dsn = parser.value(known.dsn);
    const auto named = [&](const QCommandLineOption &option, const char *variable,
                           const char *fallback) {
        const QString value =
            (parser.isSet(option) ? parser.value(option) : environment(variable)).trimmed();
        return value.isEmpty() ? QString::fromLatin1(fallback) : value;
    };
    options.bridgeService =
        named(known.bridgeService, "VANTREL_BRIDGE_SERVICE", "org.vantrel.ChartBridge");
    options.chartbookProgram =
        named(known.chartbookProgram, "VANTREL_CHARTBOOK_PROGRAM", "vantrel-chartbook");
    options.splash = !parser.isSet(known.noSplash);
    options.live = parser.isSet(known.live);
    options.noLive = parser.isSet(known.noLive);
    if (options.live && options.noLive) {
        options.error = QStringLiteral("--live and --no-live can't both be given");
        return options;
    }
    options.initDb = parser.isSet(known.initDb);
    options.importTrades = parser.value(known.importTrades);
    options.broker = parser.value(known.broker);
    if (parser.isSet(known.broker) && options.importTrades.isEmpty())
        options.error = QStringLiteral("--broker is only for --import-trades");
    if (parser.isSet(known.exportGains)) {
        options.exportGainsYear = parser.value(known.exportGains);
        const QStringList rest = parser.positionalArguments();
        if (rest.size() != 1 || rest[0].isEmpty())
            options.error = QStringLiteral("--export-gains needs a year and a file: "
                                           "--export-gains 2025-26 FILE");
        else
            options.exportGainsFile = rest[0];
    }
    return options;
}

bool needsSimulator(const ServiceUrls &services)
{
    return services.quote.empty() || services.chart.empty() || services.chartData.empty() ||
           services.exchange.empty() || services.lookup.empty();
}

namespace {
void fillEmpty(ServiceUrls &services, const std::string &url)
{
    for (const ServiceOption &s : ServiceOptions)
        if ((services.*(s.field)).empty())
            services.*(s.field) = url;
}
} // namespace

void useSimulatorFor(ServiceUrls &services, const std::string &simulatorUrl)
{
    services.simulated = services.quote.empty();
    fillEmpty(services, simulatorUrl);
}

void useGatewayFor(ServiceUrls &services, const std::string &gatewayUrl)
{
    services.live = services.quote.empty();
    fillEmpty(services, gatewayUrl);
}
