#pragma once

#include "httpfetcher.h"
#include "livesource.h"
#include "marketcalendar.h"
#include "replyreaders.h"
#include "sourcehealth.h"

#include <map>
#include <mutex>

// The exchanges' official end-of-day files: closing prices of every listed company, for when
// the live sources refuse, after the close and on holidays. Each day's file is fetched once
// and kept under <dataRoot>/LiveEOD/; a file already there is used without asking again.
class EodSource : public LiveSource
{
public:
    EodSource(std::string nseBaseUrl, std::string bseBaseUrl, std::string dataRoot,
              std::shared_ptr<HostGate> gate, std::shared_ptr<const MarketCalendar> calendar,
              std::chrono::milliseconds timeLimit = HttpFetcher::DefaultTimeLimit);

    std::string label() const override;
    SourceOutcome quotes(const std::vector<std::string> &symbols,
                         std::vector<std::optional<LiveQuote>> &out) override;
    SourceOutcome bars(const std::string &, BarSpan, int, std::vector<Bar> &out) override
    {
        out.clear();
        return {SourceOutcome::Refused, "the end-of-day files have no bars"};
    }
    SourceStatus status() const override;
    void stop() override { m_http.gate().stop(); }

private:
    struct Exchange
    {
        bool nse = true;
        std::int64_t day = -1;
        std::map<std::string, BhavRow> rows; // by TckrSymb (NSE) or FinInstrmId (BSE)
        std::optional<HostGate::Clock::time_point> checked;
    };
    void refresh(Exchange &exchange);
    bool load(Exchange &exchange, const std::string &body, std::string &reason) const;
    // Keeps a fetched file under the name of the day it holds.
    void keep(const Exchange &exchange, const std::string &body) const;
    std::string fileName(const Exchange &exchange, std::int64_t day) const;
    std::string url(const Exchange &exchange, std::int64_t day) const;

    std::string m_nseBaseUrl;
    std::string m_bseBaseUrl;
    std::string m_folder;
    HttpFetcher m_http;
    std::shared_ptr<const MarketCalendar> m_calendar;
    SourceHealth m_health{"end-of-day"};
    mutable std::mutex m_mutex;
    Exchange m_nse;
    Exchange m_bse;
};
