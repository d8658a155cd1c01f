#pragma once

#include "core/common/clock.h"
#include "core/watch/watchrow.h"

#include <string>
#include <vector>

// "%A, %B %d, %Y ::  %I:%M:%S %p" in English, whatever the user's locale.
std::string formatAlertTime(const LocalTime &t);

// The alert message after a refresh: every stock with an alert at or beyond a limit, as the
// list shows price and limits, in display order. Empty when nothing is to be said, which includes
// "My Configured" being off.
std::string evaluateAlerts(const std::vector<WatchedStock> &stocks, bool myConfigured,
                           const LocalTime &now);
