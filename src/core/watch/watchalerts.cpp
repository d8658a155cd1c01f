#include "core/watch/watchalerts.h"

#include "core/net/displayformat.h"
#include "core/watch/logstamps.h"

#include <cstdio>

namespace {
constexpr const char *Weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};
constexpr const char *Months[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
} // namespace

std::string formatAlertTime(const LocalTime &t)
{
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s, %s %02d, %d ::  %02d:%02d:%02d %s",
                  Weekdays[(t.weekday % 7 + 7) % 7], Months[(t.month - 1 + 12) % 12], t.day, t.year,
                  hour12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buffer;
}

std::vector<AlertNotice> alertNotices(const std::vector<WatchedStock> &stocks, bool myConfigured)
{
    std::vector<AlertNotice> notices;
    if (!myConfigured)
        return notices;
    for (const WatchedStock &stock : stocks) {
        const WatchRow &e = stock.entry;
        // No price is no crossing of a limit: N/A read as 0 would be "below" every one.
        if (e.alert <= 0 || !stock.quote.hasPrice())
            continue;
        const double last = shown(stock.quote.last);
        const bool above = shown(e.upperLimit) <= last;
        if (above || shown(e.lowerLimit) >= last)
            notices.push_back(
                {e.companyName, e.exchange, e.symbol, last, e.lowerLimit, e.upperLimit, above});
    }
    return notices;
}

std::string evaluateAlerts(const std::vector<WatchedStock> &stocks, bool myConfigured,
                           const LocalTime &now)
{
    std::string lines;
    for (const AlertNotice &n : alertNotices(stocks, myConfigured))
        lines +=
            n.above
                ? n.company + "::above UPPER LIMIT of " + logstamp::price(n.upperLimit) + "\n\n"
                : n.company + "::below LOWER LIMIT of " + logstamp::price(n.lowerLimit) + "\n\n";
    if (lines.empty())
        return {};
    return formatAlertTime(now) + "\n" + std::string(57, '-') + "\n\n" + lines;
}
