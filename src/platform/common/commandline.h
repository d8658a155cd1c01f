#pragma once

#include "core/common/services.h"

#include <QString>
#include <QStringList>

#include <functional>

// What the command line and the environment say about one run. Each service URL comes from
// its option, else its environment variable (VANTREL_QUOTE_URL and the like), else stays
// empty: the program then serves it from the built-in simulator.
struct AppOptions
{
    ServiceUrls services;
    QString dataDir;
    QString database;
    QString dsn;
    // The charting program's bus name and its program name, for the chart link.
    QString bridgeService;
    QString chartbookProgram;
    bool splash = true;
    bool live = false;   // the services left empty come from the live gateway
    bool noLive = false; // back to the simulated market after a --live run
    bool initDb = false;
    bool newInstance = false; // start even while another bar runs (it then needs its own folder)
    // --import-trades FILE [--broker NAME]: a tradebook into the trade book, no window.
    QString importTrades;
    QString broker;
    // --export-gains YEAR FILE: one financial year's gains report as CSV, no window.
    QString exportGainsYear;
    QString exportGainsFile;
    bool helpRequested = false;
    bool versionRequested = false;
    QString helpText;
    QString error;

    // Preparing a database, importing trades, exporting gains or printing help or the version opens
    // no window, so it needs no display.
    bool runsWithoutWindows() const
    {
        return initDb || !importTrades.isEmpty() || !exportGainsYear.isEmpty() || helpRequested ||
               versionRequested;
    }
};

using EnvironmentLookup = std::function<QString(const char *name)>;

// Qt's own window options (-platform, -display, -style, ...) are accepted and left to Qt, so
// the same arguments parse alike before and after the application object takes them.
AppOptions parseCommandLine(const QStringList &arguments, const EnvironmentLookup &environment);

// Fills the services the user left empty with the simulator's base URL, and marks the run as
// simulated when the quote service is the simulator.
void useSimulatorFor(ServiceUrls &services, const std::string &simulatorUrl);
bool needsSimulator(const ServiceUrls &services);
// The same with the live gateway's base URL: the run is live when the gateway gives quotes.
void useGatewayFor(ServiceUrls &services, const std::string &gatewayUrl);
