#pragma once

#include "market.h"
#include "marketmodel.h"
#include "simclock.h"

// The simulated market as the protocol server sees it: every quote as of the simulated now.
class SimMarket : public Market
{
public:
    SimMarket(const MarketModel &model, const SimClock &clock) : m_model(model), m_clock(clock) {}

    bool quotes(const std::vector<std::string> &symbols,
                std::vector<std::optional<QuoteFields>> &out, std::string &reason) override;

    std::optional<ChartSubject> chart(const std::string &symbol, ChartRange range) override;
    // Nobody must take these prices for real ones, on a chart either.
    std::string label() const override { return "SIMULATED MARKET"; }

    static QuoteFields fields(const Instrument &instrument, const Quote &quote);

private:
    const MarketModel &m_model;
    const SimClock &m_clock;
};
