#include "chartsource.h"

#include "indiatime.h"

#include <algorithm>

namespace {

constexpr std::int64_t sessionCloseSecond = 15 * 3600 + 30 * 60;

std::string dailyRange(int days)
{
    static const std::pair<int, const char *> ranges[] = {{5, "5d"},    {30, "1mo"},  {90, "3mo"},
                                                          {180, "6mo"}, {365, "1y"},  {730, "2y"},
                                                          {1825, "5y"}, {3650, "10y"}};
    for (const auto &[span, name] : ranges)
        if (days <= span)
            return name;
    return "max";
}

} // namespace

LiveQuote quoteFromChart(const std::string &symbol, const ChartReply &reply)
{
    LiveQuote q;
    q.symbol = symbol;
    q.last = reply.price;
    if (reply.price && reply.previousClose)
        q.change = *reply.price - *reply.previousClose;
    q.high = reply.dayHigh;
    q.low = reply.dayLow;
    q.volume = reply.dayVolume;
    q.yearHigh = reply.yearHigh;
    q.yearLow = reply.yearLow;
    q.at = reply.marketTime;
    // Open, and high, low and volume where the meta lacks them, come from the session's own
    // bars.
    const std::int64_t day = reply.marketTime ? indiatime::indiaDay(*reply.marketTime) : -1;
    std::optional<std::int64_t> barVolume;
    for (const ChartPoint &p : reply.points) {
        if (indiatime::indiaDay(p.time) != day)
            continue;
        if (p.volume)
            barVolume = barVolume.value_or(0) + *p.volume;
        if (!q.open && p.open)
            q.open = p.open;
        if (!reply.dayHigh && p.high)
            q.high = q.high ? std::max(*q.high, *p.high) : *p.high;
        if (!reply.dayLow && p.low)
            q.low = q.low ? std::min(*q.low, *p.low) : *p.low;
    }
    if (!q.volume)
        q.volume = barVolume;
    if (reply.marketTime) {
        q.date = indiatime::slashDate(day);
        q.time = indiatime::clockTime(*reply.marketTime);
    }
    return q;
}

std::vector<Bar> barsFromChart(const ChartReply &reply, int minutes)
{
    const bool daily = minutes == DayMinutes;
    std::vector<Bar> bars;
    for (const ChartPoint &p : reply.points) {
        if (!p.open || !p.high || !p.low || !p.close)
            continue; // a missing bar stays missing
        const std::int64_t local = p.time + indiatime::offsetSeconds;
        Bar bar;
        bar.time = daily ? indiatime::indiaDay(p.time) * 86400 : local;
        bar.minutes = minutes;
        if (!daily && ((local % 86400) + 86400) % 86400 >= sessionCloseSecond)
            continue;
        bar.open = *p.open;
        bar.high = *p.high;
        bar.low = *p.low;
        bar.close = *p.close;
        bar.volume = p.volume.value_or(0);
        if (!bars.empty() && bars.back().time >= bar.time) {
            if (bars.back().time == bar.time)
                bars.back() = bar; // the live day's bar replaces its earlier stamp
            continue;
        }
        bars.push_back(bar);
    }
    return bars;
}

ChartSource::ChartSource(std::string baseUrl, std::shared_ptr<HostGate> gate,
                         std::chrono::milliseconds timeLimit)
    : m_baseUrl(std::move(baseUrl)), m_http("chart", std::move(gate), maxReplyBytes, timeLimit)
{
}

SourceOutcome ChartSource::fetch(const std::string &symbol, const std::string &range,
                                 const std::string &interval, ChartReply &reply, bool *silent)
{
    const HttpReply http = m_http.get(m_baseUrl + "/v8/finance/chart/" + urlEncoded(symbol) +
                                      "?range=" + range + "&interval=" + interval);
    if (silent)
        *silent = http.silent;
    std::string reason = http.error;
    if (reason.empty() && http.status == 404) {
        m_health.unknown(symbol, m_http.gate().now());
        return {SourceOutcome::Refused, "unknown symbol " + symbol};
    }
    if (reason.empty() && http.status != 200)
        reason = "HTTP " + std::to_string(http.status);
    if (reason.empty()) {
        const ReadResult read = readChartReply(http.body, reply);
        if (read.unknownSymbol) {
            m_health.unknown(symbol, m_http.gate().now());
            return {SourceOutcome::Refused, "unknown symbol " + symbol};
        }
        if (read.ok) {
            m_health.succeeded(m_http.gate().now());
            return {};
        }
        reason = read.error;
    }
    m_health.failed(reason);
    return {SourceOutcome::Refused, reason};
}

SourceOutcome ChartSource::quotes(const std::vector<std::string> &symbols,
                                  std::vector<std::optional<LiveQuote>> &out)
{
    out.assign(symbols.size(), std::nullopt);
    SourceOutcome outcome{SourceOutcome::Refused, "no symbol known"};
    bool any = false;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const auto now = m_http.gate().now();
        if (m_health.recentlyUnknown(symbols[i], now))
            continue;
        if (const std::optional<LiveQuote> kept = m_quotes.find(symbols[i], now)) {
            out[i] = kept;
            any = true;
            continue;
        }
        ChartReply reply;
        bool silent = false;
        const SourceOutcome one = fetch(symbols[i], "1d", "5m", reply, &silent);
        if (one.kind == SourceOutcome::Answered) {
            out[i] = quoteFromChart(symbols[i], reply);
            m_quotes.keep(symbols[i], *out[i], now);
            any = true;
            continue;
        }
        outcome = one;
        // A host that said "go away", or gave no answer in time, gets nothing more in this
        // call: the next source still has time to answer the request.
        if (silent || m_http.blockedUntil(m_baseUrl))
            break;
    }
    return any ? SourceOutcome{} : outcome;
}

SourceOutcome ChartSource::bars(const std::string &symbol, BarSpan span, int days,
                                std::vector<Bar> &out)
{
    out.clear();
    ChartReply reply;
    const bool daily = span == BarSpan::Daily;
    const SourceOutcome outcome =
        span == BarSpan::OneDayOneMinute      ? fetch(symbol, "1d", "1m", reply)
        : span == BarSpan::FiveDaysFiveMinute ? fetch(symbol, "5d", "5m", reply)
                                              : fetch(symbol, dailyRange(days), "1d", reply);
    if (outcome.kind != SourceOutcome::Answered)
        return outcome;
    out = barsFromChart(reply, daily ? DayMinutes : span == BarSpan::FiveDaysFiveMinute ? 5 : 1);
    if (daily && days > 0 && out.size() > static_cast<std::size_t>(days))
        out.erase(out.begin(), out.end() - days);
    return {};
}

SourceStatus ChartSource::status() const
{
    return m_health.status(m_http.blockedUntil(m_baseUrl));
}
