#include "core/ticker/tickertext.h"

#include "core/net/displayformat.h"
#include "core/net/quotecells.h"

TickerNifty tickerNifty(const QuoteRecord &nifty)
{
    return TickerNifty{quoteCellText(nifty, quotefield::Last, nifty.last),
                       "(" + quoteCellText(nifty, quotefield::Change, nifty.change) + " )",
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
        out.emplace_back("  " + quoteCellText(q, quotefield::Last, q.last),
                         S::colourRef(colours::Blue));
        if (!q.has(quotefield::Change))
            out.emplace_back(std::string(" (") + NotAvailableText + ")   ",
                             S::colourRef(colours::Black));
        else if (q.change < 0)
            out.emplace_back(" (" + formatDisplay(q.change) + ")   ", S::colourRef(colours::Red));
        else
            out.emplace_back(" (+" + formatDisplay(q.change) + ")   ",
                             S::colourRef(colours::DarkGreen));
    }
    return out;
}
