#include "chartdata.h"

#include "simtime.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {
std::string format(const char *pattern, double a, double b)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// "name:min,max" of one of the bars' values.
template <typename Value>
std::string range(const char *name, const std::vector<Bar> &bars, Value value,
                  const char *pattern = ":%.2f,%.2f")
{
    if (bars.empty())
        return std::string(name) + ":0,0";
    const auto [low, high] = std::minmax_element(
        bars.begin(), bars.end(), [&](const Bar &a, const Bar &b) { return value(a) < value(b); });
    return name +
           format(pattern, static_cast<double>(value(*low)), static_cast<double>(value(*high)));
}
} // namespace

std::vector<std::string> chartDataLines(const ChartSubject &subject, bool fiveDays)
{
    const ChartSeries &series = subject.series;
    const std::vector<Bar> bars(
        series.bars.begin() + static_cast<std::ptrdiff_t>(series.firstShown), series.bars.end());
    std::string ticker = subject.symbol;
    std::transform(ticker.begin(), ticker.end(), ticker.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });

    std::vector<std::string> lines{
        "uri:/instrument/1.0/" + subject.symbol +
            "/chartdata;type=quote;range=" + (fiveDays ? "5d" : "1d") + "/csv/",
        "ticker:" + ticker,
        "Company-Name:" + subject.name,
        "Exchange-Name:" + (subject.exchange.empty() ? std::string("INDEX") : subject.exchange),
        "unit:MIN",
        "timezone:IST",
        "previous_close:" +
            (subject.previousClose ? format("%.2f", *subject.previousClose, 0) : "N/A"),
        bars.empty() ? "Timestamp:0,0"
                     : "Timestamp:" + std::to_string(bars.front().time) + "," +
                           std::to_string(bars.back().time + 60 * series.slotMinutes)};
    if (fiveDays) {
        // Each day's span, so a reader can tell the sessions apart.
        std::vector<std::int64_t> days;
        for (const Bar &bar : bars)
            if (days.empty() || days.back() != bar.day())
                days.push_back(bar.day());
        while (days.size() < 5)
            days.insert(days.begin(), days.empty() ? 0 : days.front() - 1);
        for (std::size_t k = days.size() - 5; k < days.size(); ++k) {
            const std::int64_t open = days[k] * simtime::SecondsPerDay + subject.openMinute * 60;
            lines.push_back("TimeStamp-Range:" + std::to_string(open) + "," +
                            std::to_string(open + subject.sessionMinutes * 60));
        }
    }
    lines.push_back("values:Timestamp,close,high,low,open,volume");
    lines.push_back(range("close", bars, [](const Bar &b) { return b.close; }));
    lines.push_back(range("high", bars, [](const Bar &b) { return b.high; }));
    lines.push_back(range("low", bars, [](const Bar &b) { return b.low; }));
    lines.push_back(range("open", bars, [](const Bar &b) { return b.open; }));
    lines.push_back(range(
        "volume", bars, [](const Bar &b) { return b.volume; }, ":%.0f,%.0f"));

    for (const Bar &bar : bars) {
        char line[160];
        std::snprintf(line, sizeof line, "%lld,%.2f,%.2f,%.2f,%.2f,%lld",
                      static_cast<long long>(bar.time), bar.close, bar.high, bar.low, bar.open,
                      static_cast<long long>(bar.volume));
        lines.emplace_back(line);
    }
    return lines;
}
