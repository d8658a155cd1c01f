#pragma once

#include "chartbars.h"
#include "chartoptions.h"
#include "quotefields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

    // The label of the latest quote answer given on the calling thread, for that answer's
    // header; a market whose prices are all of one kind gives its label.
    virtual std::string answerLabel() const { return label(); }
};
