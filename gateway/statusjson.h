#pragma once

#include "sources/livesource.h"

#include <string>
#include <vector>

// The body of GET /gateway/status:
//   {"label":"LIVE via chart","unknownSymbols":["X.NS"],
//    "sources":[{"name":"chart","label":"LIVE via chart","state":"ok","lastSuccess":"...",
//                "lastError":"","throttledUntil":"","unknownSymbols":[]}, ...]}
// labels holds each source's label beside its status; unknown the symbols no source knew.
std::string gatewayStatusJson(const std::string &label, const std::vector<SourceStatus> &sources,
                              const std::vector<std::string> &labels,
                              const std::vector<std::string> &unknown);
