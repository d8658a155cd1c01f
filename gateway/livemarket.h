#pragma once

#include "market.h"
#include "sources/livesource.h"

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// The live market: each symbol is asked of the sources in order, and the first that answers
// it wins. A symbol no source knows is N/A on the wire and reported once; when every source
// refuses, the request is refused too rather than answered with nothing. Charts come from the
// first source with bars of the symbol.
class LiveMarket : public Market
{
public:
    // The label once every source has refused the latest request.
    static constexpr const char *NoSourceLabel = "NO SOURCE ANSWERING";

    explicit LiveMarket(std::vector<std::unique_ptr<LiveSource>> sources);

    bool quotes(const std::vector<std::string> &symbols,
                std::vector<std::optional<QuoteFields>> &out, std::string &reason) override;

    // The first source's bars that make a chart; the previous close from its quote.
    std::optional<ChartSubject> chart(const std::string &symbol, ChartRange range) override;

    // The label of the source that answered the latest request, "LIVE via ..." or
    // "END OF DAY ...", or NoSourceLabel when every source refused it; empty until then.
    std::string label() const override;

    // GET /gateway/status: the label and each source's health.
    std::string statusJson() const;

private:
    // True the first time a symbol turns out unknown to every source.
    bool firstTimeUnknown(const std::string &symbol);

    std::vector<std::unique_ptr<LiveSource>> m_sources;
    mutable std::mutex m_mutex;
    std::string m_label;
    std::set<std::string> m_unknown;
};
