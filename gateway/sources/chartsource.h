#pragma once

#include "httpfetcher.h"
#include "livesource.h"
#include "replyreaders.h"
#include "sourcehealth.h"

// The chart API: one symbol per request, for quotes during the session and for bars.
class ChartSource : public LiveSource
{
public:
    ChartSource(std::string baseUrl, std::shared_ptr<HostGate> gate,
                std::chrono::milliseconds timeLimit = HttpFetcher::DefaultTimeLimit);

    std::string label() const override { return "LIVE via chart"; }
    SourceOutcome quotes(const std::vector<std::string> &symbols,
                         std::vector<std::optional<LiveQuote>> &out) override;
    SourceOutcome bars(const std::string &symbol, BarSpan span, int days,
                       std::vector<Bar> &out) override;
    SourceStatus status() const override;
    void stop() override { m_http.gate().stop(); }

private:
    // One chart request; Refused when the host gave nothing readable.
    SourceOutcome fetch(const std::string &symbol, const std::string &range,
                        const std::string &interval, ChartReply &reply, bool *silent = nullptr);

    std::string m_baseUrl;
    HttpFetcher m_http;
    SourceHealth m_health{"chart"};
    AnswerCache<LiveQuote> m_quotes;
};

// The quote a chart reply of the running session gives; fields it lacks stay empty.
LiveQuote quoteFromChart(const std::string &symbol, const ChartReply &reply);
// The reply's complete bars of the span asked for (DayMinutes: daily) as India-local times,
// oldest first; intraday bars from the session's close on (the 15:30 stub) are left out.
std::vector<Bar> barsFromChart(const ChartReply &reply, int minutes);
