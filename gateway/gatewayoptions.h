#pragma once

#include "sources/livesource.h"

#include <optional>
#include <string>

// vantrel-gateway's command line.
struct GatewayOptions
{
    int port = 0; // 0: any free port
    std::string accessLog;
    std::string dataDir; // empty: the data root (VANTREL_HOME, else ~/Vantrel)
    LiveSourceConfig sources;
    bool help = false;
};

// Nothing, with the reason in error, when an option is unknown or its value is bad.
std::optional<GatewayOptions> parseGatewayOptions(int argc, const char *const *argv,
                                                  std::string &error);
std::string gatewayUsage();
