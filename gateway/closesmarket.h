#pragma once

#include "livemarket.h"

// The live market as a toppers sweep sees it: every quote from the end-of-day files, nothing
// asked of the sources the bar's symbols are kept fresh from.
class ClosesMarket : public Market
{
public:
    explicit ClosesMarket(LiveMarket &live) : m_live(live) {}

    bool quotes(const std::vector<std::string> &symbols,
                std::vector<std::optional<QuoteFields>> &out, std::string &reason) override
    {
        return m_live.closes(symbols, out, reason);
    }
    std::optional<ChartSubject> chart(const std::string &, ChartRange) override
    {
        return std::nullopt;
    }
    std::string label() const override { return m_live.label(); }
    std::string answerLabel() const override { return m_live.answerLabel(); }

private:
    LiveMarket &m_live;
};
