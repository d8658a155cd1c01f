#include "core/watch/watchalerts.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr const char *Weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};
constexpr const char *Months[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};

std::string withoutCommas(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}
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

std::string evaluateAlerts(const std::vector<WatchListRow> &rows, bool myConfigured,
                           const LocalTime &now)
{
    if (!myConfigured)
        return {};
    using namespace watchcol;
    std::string lines;
    for (const WatchListRow &row : rows) {
        if (!(row.value(Alert) > 0))
            continue;
        const double last = row.value(Price);
        if (row.value(UpperLimit) <= last)
            lines += row.cell(Name) + "::above UPPER LIMIT of " +
                     withoutCommas(row.cell(UpperLimit)) + "\n\n";
        else if (row.value(LowerLimit) >= last)
            lines += row.cell(Name) + "::below LOWER LIMIT of " +
                     withoutCommas(row.cell(LowerLimit)) + "\n\n";
    }
    if (lines.empty())
        return {};
    return formatAlertTime(now) + "\n" + std::string(57, '-') + "\n\n" + lines;
}
