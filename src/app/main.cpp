#include "core/common/clock.h"
#include "core/common/version.h"
#include "gainsexportrun.h"
#include "gui/common/qtmessenger.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/program.h"
#include "platform/common/commandline.h"
#include "platform/common/terminationsignals.h"
#include "platform/net/gatewaylabel.h"
#include "platform/net/simulatorprocess.h"
#include "platform/shell/instanceguard.h"
#include "platform/shell/usersettings.h"
#include "platform/store/companydatabase.h"
#include "platform/store/storeconfig.h"
#include "storestart.h"
#include "tradeimport.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <memory>

namespace {
QStringList rawArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Starts the simulated market, or with --live the live gateway, for the services the user
// left empty; a warning when it can't.
std::string startServiceFor(ServiceUrls &services, bool live, const QString &dataRoot,
                            SimulatorProcess &service)
{
    if (!needsSimulator(services))
        return {};
    const auto use = live ? useGatewayFor : useSimulatorFor;
    const QString name = live ? QStringLiteral("vantrel-gateway") : QStringLiteral("vantrel-sim");
    const QString program =
        live ? SimulatorProcess::locate(name, "VANTREL_GATEWAY") : SimulatorProcess::locate();
    const QStringList arguments = live ? QStringList{QStringLiteral("--port"), QStringLiteral("0"),
                                                     QStringLiteral("--data-dir"), dataRoot}
                                       : QStringList{QStringLiteral("--port"), QStringLiteral("0"),
                                                     QStringLiteral("--always-open")};
    if (!program.isEmpty() && service.start(program, arguments)) {
        use(services, service.baseUrl().toStdString());
        return {};
    }
    // The bar still starts: it shows the red dot until a service answers.
    use(services, "http://127.0.0.1:9");
    return std::string(live ? "The live gateway" : "The simulated market") +
           " could not be started" +
           (program.isEmpty() ? ": " + name.toStdString() + " was not found beside vantrel"
                              : ": " + service.errorText().toStdString());
}
} // namespace

int main(int argc, char **argv)
{
    const auto environment = [](const char *name) { return qEnvironmentVariable(name); };
    // A command line that can't be used is refused before any window, so it needs no display.
    const AppOptions early = parseCommandLine(rawArguments(argc, argv), environment);
    if (!early.error.isEmpty()) {
        std::fprintf(stderr, "vantrel: %s\n", qPrintable(early.error));
        return 2;
    }
    const bool windowless = early.runsWithoutWindows();
    std::unique_ptr<QCoreApplication> app;
    if (windowless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    // Numbers are read and written the C way whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(vantrel::Version));

    // Again once the application has taken its own options: the help then names the program.
    AppOptions options = parseCommandLine(QCoreApplication::arguments(), environment);
    if (options.helpRequested || options.versionRequested) {
        QTextStream(stdout) << (options.helpRequested
                                    ? options.helpText
                                    : QString::fromLatin1(vantrel::ProductName) + u'\n');
        return 0;
    }
    const QString dataRoot = resolveDataRoot(options.dataDir);
    const StoreConfig store = resolveStoreConfig(options.dsn, options.database, dataRoot);
    if (options.initDb)
        return runInitDb(store);
    if (!options.importTrades.isEmpty()) {
        CompanyDatabase database(QStringLiteral("import-trades"));
        database.open(store); // a database that can't be used is reported by the import
        return runImportTrades(database, options.importTrades, options.broker);
    }
    if (!options.exportGainsYear.isEmpty()) {
        CompanyDatabase database(QStringLiteral("export-gains"));
        database.open(store); // a database that can't be used is reported by the export
        return runExportGains(database, options.exportGainsYear, options.exportGainsFile);
    }

    quitOnTerminationSignals(*app);
    QApplication::setFont(DialogUnits::dialogFont());
    QApplication::setQuitOnLastWindowClosed(false);
    QtMessenger messenger;
    // One bar per data folder: a second start brings the first forward and leaves.
    InstanceGuard instance;
    switch (instance.claim(dataRoot, !options.newInstance)) {
    case InstanceGuard::Claim::Raised:
        return 0;
    case InstanceGuard::Claim::Busy: {
        const QString text = InstanceGuard::busyText(dataRoot);
        std::fprintf(stderr, "vantrel: %s\n", qPrintable(text));
        messenger.inform(text.toStdString());
        return 1;
    }
    case InstanceGuard::Claim::Owned:
    case InstanceGuard::Claim::Unwritable: // the data files say so once the bar is up
        break;
    }
    // --live and --no-live are remembered; a start with neither does as the last one said.
    UserSettings settings;
    if (options.live || options.noLive)
        settings.setLive(options.live);
    const bool live = settings.live().value_or(false);
    SimulatorProcess simulator;
    std::vector<std::string> warnings;
    if (std::string w = startServiceFor(options.services, live, dataRoot, simulator); !w.empty())
        warnings.push_back(std::move(w));

    SystemClock clock;
    AppContext context(options.services, messenger, clock);
    context.dataRoot = dataRoot;
    context.settings = &settings;
    context.bridgeService = options.bridgeService;
    context.chartbookProgram = options.chartbookProgram;
    if (std::string w = openCompanyDatabase(context.database, store); !w.empty())
        warnings.push_back(std::move(w));

    Program program(context);
    MainBar &bar = program.bar();
    QObject::connect(&instance, &InstanceGuard::raiseRequested, &bar,
                     [&program] { program.bringForward(); });
    messenger.setParent(&bar);
    QObject::connect(&bar, &MainBar::closing, app.get(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.start(options.splash);
    if (context.services.live) {
        auto *label = new GatewayLabel(context.services.quote, &bar);
        QObject::connect(label, &GatewayLabel::changed, &bar, &MainBar::setLiveLabel);
        label->start();
    }
    // Shown once the bar is up, in one box; also on the standard error for a terminal's user.
    if (!warnings.empty()) {
        std::string text;
        for (const std::string &w : warnings) {
            std::fprintf(stderr, "vantrel: %s\n", w.c_str());
            text += (text.empty() ? "" : "\n\n") + w;
        }
        QTimer::singleShot(0, &bar, [&messenger, text] { messenger.inform(text); });
    }
    return app->exec();
}
