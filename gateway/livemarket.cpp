#include "livemarket.h"

#include "liveseries.h"
#include "statusjson.h"

#include <cstdio>

namespace {
QuoteFields fieldsOf(const LiveQuote &q, const std::string &asked)
{
    return {asked,    q.last,    q.change,   q.open, q.high, q.low,
            q.volume, q.yearLow, q.yearHigh, q.date, q.time};
}
} // namespace

LiveMarket::LiveMarket(std::vector<std::unique_ptr<LiveSource>> sources)
    : m_sources(std::move(sources))
{
}

bool LiveMarket::quotes(const std::vector<std::string> &symbols,
                        std::vector<std::optional<QuoteFields>> &out, std::string &reason)
{
    out.assign(symbols.size(), std::nullopt);
    std::vector<std::size_t> pending(symbols.size());
    for (std::size_t k = 0; k < pending.size(); ++k)
        pending[k] = k;
    bool answered = false;
    std::string label;
    for (const std::unique_ptr<LiveSource> &source : m_sources) {
        if (pending.empty())
            break;
        std::vector<std::string> asked;
        for (std::size_t k : pending)
            asked.push_back(symbols[k]);
        std::vector<std::optional<LiveQuote>> got;
        const SourceOutcome outcome = source->quotes(asked, got);
        if (outcome.kind == SourceOutcome::Refused) {
            reason += (reason.empty() ? "" : "; ") + source->status().name + ": " + outcome.reason;
            continue;
        }
        answered = true;
        std::vector<std::size_t> still;
        for (std::size_t k = 0; k < pending.size(); ++k) {
            if (k < got.size() && got[k]) {
                out[pending[k]] = fieldsOf(*got[k], symbols[pending[k]]);
                if (label.empty())
                    label = source->label();
            } else {
                still.push_back(pending[k]);
            }
        }
        pending = std::move(still);
    }
    if (m_sources.empty())
        reason = "no source is configured";
    if (!answered) {
        // The last source that answered is no longer where prices come from: the label says so
        // rather than go on naming it.
        std::lock_guard lock(m_mutex);
        m_label = NoSourceLabel;
        return false;
    }
    for (std::size_t k : pending)
        if (firstTimeUnknown(symbols[k]))
            std::fprintf(stderr, "vantrel-gateway: no source knows %s\n", symbols[k].c_str());
    if (!label.empty()) {
        std::lock_guard lock(m_mutex);
        m_label = label;
    }
    return true;
}

std::optional<ChartSubject> LiveMarket::chart(const std::string &symbol, ChartRange range)
{
    int days = 0;
    const BarSpan span = barSpanOf(range, days);
    for (const std::unique_ptr<LiveSource> &source : m_sources) {
        std::vector<LiveBar> bars;
        if (source->bars(symbol, span, days, bars).kind != SourceOutcome::Answered)
            continue;
        ChartSeries series = seriesFromBars(bars, range);
        if (series.shownCount() == 0)
            continue;
        ChartSubject subject;
        subject.symbol = symbol;
        subject.exchange = symbol.ends_with(".NS") ? "NSE" : symbol.ends_with(".BO") ? "BSE" : "";
        subject.series = std::move(series);
        subject.openMinute = LiveOpenMinute;
        subject.sessionMinutes = LiveSessionMinutes;
        std::vector<std::optional<LiveQuote>> quote;
        if (source->quotes({symbol}, quote).kind == SourceOutcome::Answered && !quote.empty() &&
            quote[0] && quote[0]->last && quote[0]->change)
            subject.previousClose = *quote[0]->last - *quote[0]->change;
        return subject;
    }
    return std::nullopt;
}

bool LiveMarket::firstTimeUnknown(const std::string &symbol)
{
    std::lock_guard lock(m_mutex);
    return m_unknown.insert(symbol).second;
}

std::string LiveMarket::label() const
{
    std::lock_guard lock(m_mutex);
    return m_label;
}

std::string LiveMarket::statusJson() const
{
    std::vector<SourceStatus> statuses;
    std::vector<std::string> labels;
    for (const std::unique_ptr<LiveSource> &source : m_sources) {
        statuses.push_back(source->status());
        labels.push_back(source->label());
    }
    std::lock_guard lock(m_mutex);
    return gatewayStatusJson(m_label, statuses, labels,
                             std::vector<std::string>(m_unknown.begin(), m_unknown.end()));
}
