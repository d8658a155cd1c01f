#pragma once

#include "chartbars.h"
#include "chartoptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One symbol's quote as the quote service sends it. A field left empty goes on the wire as
// N/A: a market that does not know a value says so rather than make one up.
struct QuoteFields
{
    std::string symbol; // as the market spells it ("^NSEI", not "^nsei ")
    std::optional<double> last;
    std::optional<double> change; // against the previous close
    std::optional<double> open;
    std::optional<double> high;
    std::optional<double> low;
    std::optional<std::int64_t> volume;
    std::optional<double> yearLow;
    std::optional<double> yearHigh;
    std::string date; // "M/D/YYYY"; empty when unknown
    std::string time; // "h:mmAM"; empty when unknown
};

// What a chart of one symbol shows, with what the chart data's header tells about it.
struct ChartSubject
{
    std::string symbol;   // as the market spells it
    std::string name;     // company or index name; empty when unknown
    std::string exchange; // "NSE" or "BSE" for listed stocks, else empty
    std::optional<double> previousClose;
    ChartSeries series;
    int openMinute = 555;     // the session's first minute of the day
    int sessionMinutes = 375; // and its length
};

// What the protocol server asks of the market behind it: the simulated one or the live one.
// Called from the server's worker threads, several at once.
class Market
{
public:
    virtual ~Market() = default;

    // One entry per symbol, in order; empty for a symbol the market does not know. False,
    // with a short reason, when the market cannot answer at all: the request then fails
    // with HTTP 503 instead of sending lines of nothing.
    virtual bool quotes(const std::vector<std::string> &symbols,
                        std::vector<std::optional<QuoteFields>> &out, std::string &reason) = 0;

    // The bars of one chart range of a symbol, up to now; nothing for a symbol the market
    // has no bars of.
    virtual std::optional<ChartSubject> chart(const std::string &symbol, ChartRange range) = 0;

    // Where the prices come from, sent with every quote reply and drawn on every chart.
    virtual std::string label() const = 0;
};
