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
    bool splash = true;
    bool initDb = false;
    bool helpRequested = false;
    bool versionRequested = false;
    QString helpText;
    QString error;
};

using EnvironmentLookup = std::function<QString(const char *name)>;

AppOptions parseCommandLine(const QStringList &arguments, const EnvironmentLookup &environment);

// True when the arguments ask for something that opens no window (--init-db, --help,
// --version): the program then starts without a display.
bool runsWithoutWindows(const QStringList &arguments);

// Fills the services the user left empty with the simulator's base URL, and marks the run as
// simulated when the quote service is the simulator.
void useSimulatorFor(ServiceUrls &services, const std::string &simulatorUrl);
bool needsSimulator(const ServiceUrls &services);
