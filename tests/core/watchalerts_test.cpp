#include "core/watch/watchalerts.h"

#include <gtest/gtest.h>

// Which stocks are reported, the heading and the afternoon hours are in the watch list's
// simulated day; these are the edges it never reaches.
TEST(AlertTime, MidnightAndNoonOnTheTwelveHourDial)
{
    EXPECT_EQ(formatAlertTime(makeLocalTime(2027, 1, 10, 0, 5, 0)),
              "Sunday, January 10, 2027 ::  12:05:00 AM");
    EXPECT_EQ(formatAlertTime(makeLocalTime(2026, 6, 1, 12, 0, 0)),
              "Monday, June 01, 2026 ::  12:00:00 PM");
}

TEST(Alerts, NothingToSayNoBox)
{
    const auto row = [](double last, int alert) {
        QuoteRecord q;
        q.last = last;
        return WatchedStock{WatchRow{"Inside", "NSE", "SYM", alert, 1000, 1200}, q, {}, {}};
    };
    EXPECT_EQ(evaluateAlerts({row(1100, 1), row(1, 0)}, true, makeLocalTime(2026, 12, 4, 15, 7, 9)),
              "");
}
