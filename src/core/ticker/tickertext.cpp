#include "core/ticker/tickertext.h"

#include "core/net/displayformat.h"

TickerNifty tickerNifty(const QuoteRecord &nifty)
{
    return TickerNifty{formatDisplay(nifty.last), "(" + formatDisplay(nifty.change) + " )",
                       nifty.change < 0 ? colours::Red : colours::DarkGreen};
}

std::vector<StyledSegment> tickerSegments(const std::vector<WatchedStock> &stocks)
{
    using S = StyledSegment;
    std::vector<StyledSegment> out;
    for (const WatchedStock &stock : stocks) {
        const std::string &symbol = stock.quote.symbol;
        if (!symbol.ends_with("NS"))
            continue;
        const QuoteRecord &q = stock.quote;
        out.emplace_back(symbol.substr(0, symbol.size() - 3),
                         S::Bold | S::colourRef(colours::Black));
        out.emplace_back("  " + formatDisplay(q.last), S::colourRef(colours::Blue));
        if (q.change < 0)
            out.emplace_back(" (" + formatDisplay(q.change) + ")   ", S::colourRef(colours::Red));
        else
            out.emplace_back(" (+" + formatDisplay(q.change) + ")   ",
                             S::colourRef(colours::DarkGreen));
    }
    return out;
}
