#pragma once

#include "core/common/clock.h"
#include "core/watch/watchrow.h"

#include <string>
#include <vector>

// "%A, %B %d, %Y ::  %I:%M:%S %p" in English, whatever the user's locale.
std::string formatAlertTime(const LocalTime &t);

// One stock beyond its band after a refresh: what a desktop notification names.
struct AlertNotice
{
    std::string company;
    std::string exchange;
    std::string symbol;
    double price = 0; // as the list shows it
    double lowerLimit = 0;
    double upperLimit = 0;
    bool above = false; // at or above the upper limit, else at or below the lower one
};

// Every stock with an alert at or beyond a limit, in display order; none when "My Configured"
// is off.
std::vector<AlertNotice> alertNotices(const std::vector<WatchedStock> &stocks, bool myConfigured);

// The alert message after a refresh: every stock with an alert at or beyond a limit, as the
// list shows price and limits, in display order. Empty when nothing is to be said, which includes
// "My Configured" being off.
std::string evaluateAlerts(const std::vector<WatchedStock> &stocks, bool myConfigured,
                           const LocalTime &now);
