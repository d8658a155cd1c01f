#pragma once

#include "sources/livesource.h"

#include <optional>
#include <string>

// vantrel-gateway's command line.
struct GatewayOptions
{
    int port = 0; // 0: any free port
    std::string accessLog;
    std::string dataDir;      // empty: the data root (VANTREL_HOME, else ~/Vantrel)
    std::string configFile;   // empty: the user's (see defaultGatewayConfigPath)
    std::string holidaysFile; // empty: DATA/holidays.csv, else the project's
    LiveSourceConfig sources;
    bool help = false;
};

// The settings file is read first (--config, else the user's, when there is one), then the
// environment, then the options, each overriding the one before. Nothing, with the reason in
// error, when an option is unknown, its value is bad or the settings file has a bad line.
std::optional<GatewayOptions> parseGatewayOptions(int argc, const char *const *argv,
                                                  std::string &error);
std::string gatewayUsage();
