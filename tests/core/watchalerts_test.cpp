#include "core/watch/watchalerts.h"
#include "core/watch/watchexport.h"

#include <gtest/gtest.h>

namespace {
WatchedStock rowAt(const char *name, double last, int alert, double lower, double upper,
                   float change = 0)
{
    QuoteRecord q;
    q.last = last;
    q.change = change;
    return WatchedStock{WatchRow{name, "NSE", "SYM", alert, lower, upper}, q, {}, {}};
}

const LocalTime Friday = makeLocalTime(2026, 12, 4, 15, 7, 9);
const std::string Heading =
    "Friday, December 04, 2026 ::  03:07:09 PM\n" + std::string(57, '-') + "\n\n";
} // namespace

TEST(AlertTime, TwelveHourDialInEnglish)
{
    EXPECT_EQ(formatAlertTime(Friday), "Friday, December 04, 2026 ::  03:07:09 PM");
    EXPECT_EQ(formatAlertTime(makeLocalTime(2027, 1, 10, 0, 5, 0)),
              "Sunday, January 10, 2027 ::  12:05:00 AM");
    EXPECT_EQ(formatAlertTime(makeLocalTime(2026, 6, 1, 12, 0, 0)),
              "Monday, June 01, 2026 ::  12:00:00 PM");
}

TEST(Alerts, ReportsEveryStockAtOrBeyondALimitInListOrder)
{
    const std::vector<WatchedStock> rows = {
        rowAt("Reliance", 1234.5, 1, 1000, 1234.5), // exactly at the upper limit
        rowAt("Inside", 1100, 1, 1000, 1200),       rowAt("No alert", 1, 0, 1000, 1200),
        rowAt("TCS", 3000, 1, 3000, 3500),    // exactly at the lower limit
        rowAt("Quote missing", 0, 1, 10, 20), // N/A reads as 0, below every positive limit
    };
    EXPECT_EQ(evaluateAlerts(rows, true, Friday),
              Heading + "Reliance::above UPPER LIMIT of 1234.50\n\n"
                        "TCS::below LOWER LIMIT of 3000.00\n\n"
                        "Quote missing::below LOWER LIMIT of 10.00\n\n");
    EXPECT_EQ(evaluateAlerts(rows, false, Friday), "")
        << "without \"My Configured\" never a message";
    EXPECT_EQ(evaluateAlerts({rows[1], rows[2]}, true, Friday), "") << "nothing to say, no box";
}

TEST(Export, TenFieldsFromTheCellsWithLastCloseWorkedOut)
{
    const std::vector<WatchedStock> rows = {rowAt("Larsen, Toubro", 1234.5, 0, 0, 0, -10.25f),
                                            rowAt("Dr. Reddy's", 0, 0, 0, 0)};
    EXPECT_EQ(watchexport::content(rows),
              "Company Name,Index,Last Close,Current Price,Change,% Change,Volume,Open,High,Low\n"
              "Larsen Toubro,NSE,1244.75,1234.50,-10.25,-0.82,0,0.00,0.00,0.00\n"
              "Dr. Reddy's,NSE,0.00,0.00,0.00,0.00,0,0.00,0.00,0.00\n");
}
