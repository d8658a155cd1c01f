#pragma once

#include "httpfetcher.h"
#include "livesource.h"
#include "sourcehealth.h"

#include <mutex>

// The batch quote API: many symbols a request, once it holds a cookie and a crumb.
class BatchSource : public LiveSource
{
public:
    BatchSource(std::string baseUrl, std::string crumbPageUrl, std::shared_ptr<HostGate> gate,
                std::chrono::milliseconds timeLimit = HttpFetcher::DefaultTimeLimit);

    std::string label() const override { return "LIVE via batch"; }
    SourceOutcome quotes(const std::vector<std::string> &symbols,
                         std::vector<std::optional<LiveQuote>> &out) override;
    SourceOutcome bars(const std::string &, BarSpan, int, std::vector<Bar> &out) override
    {
        out.clear();
        return {SourceOutcome::Refused, "the batch source has no bars"};
    }
    SourceStatus status() const override;
    void stop() override { m_http.gate().stop(); }

private:
    struct Session
    {
        std::string cookie;
        std::string crumb;
    };
    std::optional<Session> session(std::string &reason, bool renew);
    // One request for a group of symbols; fills the answers it got by symbol.
    SourceOutcome ask(const std::vector<std::string> &symbols,
                      std::map<std::string, LiveQuote> &answers);

    std::string m_baseUrl;
    std::string m_crumbPageUrl;
    HttpFetcher m_http;
    SourceHealth m_health{"batch"};
    AnswerCache<LiveQuote> m_quotes;
    std::mutex m_sessionMutex;
    std::optional<Session> m_session;
};
