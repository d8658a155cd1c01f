// The bar module: the program from its first window to the end of the run.
#include "barstart.h"
#include "gainsexportrun.h"
#include "gui/common/qtmessenger.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/program.h"
#include "gui/shell/splashscreen.h"
#include "platform/net/gatewaylabel.h"
#include "platform/net/simulatorprocess.h"
#include "platform/shell/instanceguard.h"
#include "platform/shell/usersettings.h"
#include "platform/store/companydatabase.h"
#include "storestart.h"
#include "tradeimport.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {
// The simulated market, or with --live the live gateway, for the services the user left
// empty: what to run, and the warning when it can't be.
struct ServiceLaunch
{
    QString program;
    QStringList arguments;
    std::string what;
    std::string notFound; // why it can't be started before trying; empty when it can
};

ServiceLaunch launchFor(bool live, const QString &dataRoot, int port)
{
    ServiceLaunch launch;
    const QString name = live ? QStringLiteral("vantrel-gateway") : QStringLiteral("vantrel-sim");
    launch.program =
        live ? SimulatorProcess::locate(name, "VANTREL_GATEWAY") : SimulatorProcess::locate();
    launch.arguments = QStringList{QStringLiteral("--port"), QString::number(port)};
    launch.arguments << (live ? QStringList{QStringLiteral("--data-dir"), dataRoot}
                              : QStringList{QStringLiteral("--always-open")});
    launch.what = live ? "The live gateway" : "The simulated market";
    if (launch.program.isEmpty())
        launch.notFound = name.toStdString() + " was not found beside vantrel";
    return launch;
}

std::string cannotStart(const ServiceLaunch &launch, const std::string &why)
{
    return launch.what + " could not be started: " + why;
}

// Said on the standard error for a terminal's user, and in one box once the bar is up.
void warn(const std::vector<std::string> &warnings, QObject *bar, Messenger &messenger)
{
    if (warnings.empty())
        return;
    std::string text;
    for (const std::string &w : warnings) {
        std::fprintf(stderr, "vantrel: %s\n", w.c_str());
        text += (text.empty() ? "" : "\n\n") + w;
    }
    QTimer::singleShot(0, bar, [&messenger, text] { messenger.inform(text); });
}
} // namespace

extern "C" Q_DECL_EXPORT int vantrelRunCommand(const AppOptions &options, const StoreConfig &store)
{
    if (options.initDb)
        return runInitDb(store);
    if (!options.importTrades.isEmpty()) {
        CompanyDatabase database(QStringLiteral("import-trades"));
        database.open(store); // a database that can't be used is reported by the import
        return runImportTrades(database, options.importTrades, options.broker);
    }
    CompanyDatabase database(QStringLiteral("export-gains"));
    database.open(store); // a database that can't be used is reported by the export
    return runExportGains(database, options.exportGainsYear, options.exportGainsFile);
}

extern "C" Q_DECL_EXPORT int vantrelRunBar(BarStart &start)
{
    AppOptions &options = start.options;
    QtMessenger messenger;
    std::vector<std::string> warnings;
    // --live and --no-live are remembered; a start with neither does as the last one said.
    UserSettings settings;
    if (options.live || options.noLive)
        settings.setLive(options.live);
    const bool live = settings.live().value_or(false);
    // The service is started first and not waited for: its port is chosen here, so every
    // service knows its address at once, and only the first refresh waits for its answer
    // while the bar is built and shown.
    SimulatorProcess service;
    const bool startsService = needsSimulator(options.services);
    const int port = startsService ? SimulatorProcess::freePort() : 0;
    const ServiceLaunch launch = launchFor(live, start.dataRoot, port);
    // Nothing listens on port 9: without its service the bar shows the red dot.
    const std::string nowhere = "http://127.0.0.1:9";
    const std::string serviceUrl =
        launch.notFound.empty() ? "http://127.0.0.1:" + std::to_string(port) : nowhere;
    if (startsService) {
        (live ? useGatewayFor : useSimulatorFor)(options.services, serviceUrl);
        if (!launch.notFound.empty())
            warnings.push_back(cannotStart(launch, launch.notFound));
    }

    SystemClock clock;
    AppContext context(options.services, messenger, clock);
    context.dataRoot = start.dataRoot;
    context.settings = &settings;
    context.bridgeService = options.bridgeService;
    context.chartbookProgram = options.chartbookProgram;
    MainBar *shownBar = nullptr;
    // The live gateway's label is read once the gateway answers.
    const auto labelLive = [&context, &shownBar] {
        if (!context.services.live)
            return;
        auto *label = new GatewayLabel(context.services.quote, shownBar);
        QObject::connect(label, &GatewayLabel::changed, shownBar, &MainBar::setLiveLabel);
        label->start();
    };
    if (startsService && launch.notFound.empty()) {
        context.refresh.waitForService();
        service.startInBackground(launch.program, launch.arguments, [&](bool ok) {
            // The port the service says it listens on is the one asked from now on; should it
            // not be the one chosen, whatever may hold that one is not our service.
            const std::string answering = ok ? service.baseUrl().toStdString() : nowhere;
            for (std::string *url :
                 {&context.services.quote, &context.services.chart, &context.services.chartData,
                  &context.services.exchange, &context.services.lookup})
                if (*url == serviceUrl)
                    *url = answering;
            context.refresh.setBaseUrl(context.services.quote);
            if (ok) {
                labelLive();
            } else {
                warn({cannotStart(launch, service.errorText().toStdString())},
                     shownBar ? static_cast<QObject *>(shownBar) : &start.app, messenger);
            }
            context.refresh.serviceReady();
        });
    }
    if (std::string w = openCompanyDatabase(context.database, start.store); !w.empty())
        warnings.push_back(std::move(w));

    Program program(context);
    MainBar &bar = program.bar();
    shownBar = &bar;
    QObject::connect(&start.instance, &InstanceGuard::raiseRequested, &bar,
                     [&program] { program.bringForward(); });
    messenger.setParent(&bar);
    QObject::connect(&bar, &MainBar::closing, &start.app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    // The splash already up is the bar's from now on.
    if (start.splash)
        start.splash->belongTo(&bar);
    if (context.services.live && !context.refresh.waitingForService())
        labelLive();
    warn(warnings, &bar, messenger);
    QTimer::singleShot(0, &start.instance, &InstanceGuard::publish);
    if (start.terminationRequested())
        return 0;
    return start.app.exec();
}
