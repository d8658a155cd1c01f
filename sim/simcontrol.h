#pragma once

#include "querystring.h"
#include "replypolicy.h"
#include "simclock.h"

#include <string>

// GET /sim/control?fault=KIND&short-lines=N&latency-ms=N&clock=TIME&advance=SECONDS, any
// subset, so one running simulator can change its behaviour between a test's requests.
// All or nothing: with one bad value nothing changes and error says which.
bool applyControl(const QueryString &query, ReplyPolicy &policy, SimClock &clock,
                  std::string &error);
