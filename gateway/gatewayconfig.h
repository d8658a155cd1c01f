#pragma once

#include "sources/livesource.h"

#include <string>
#include <string_view>

// The gateway's settings file: "name = value" lines, "#" comments. Names: sources (the order
// they are tried, e.g. "batch, chart, end-of-day"), requests-per-minute (per host), proxy
// ("http://host:port"), and the URLs chart-url, batch-url, crumb-page-url, nse-url, bse-url.
// False, with the line's fault in error, when a line is not one of them.
bool readGatewayConfig(std::string_view text, LiveSourceConfig &config, std::string &error);

// $XDG_CONFIG_HOME/vantrel/gateway.conf, else ~/.config/vantrel/gateway.conf.
std::string defaultGatewayConfigPath();

// "batch, chart" as source names; false when a name is none of batch, chart, end-of-day.
bool parseSourceOrder(std::string_view text, std::vector<std::string> &order);
