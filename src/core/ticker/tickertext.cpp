#include "core/ticker/tickertext.h"

#include "core/net/displayformat.h"
#include "core/net/quotecells.h"

TickerNifty tickerNifty(const QuoteRecord &nifty)
{
    return TickerNifty{quoteCellText(nifty, quotefield::Last, nifty.last),
                       "(" + quoteCellText(nifty, quotefield::Change, nifty.change) + " )",
                       nifty.change < 0 ? colours::Red : colours::DarkGreen};
}

std::vector<TickerRun> tickerSegments(const std::vector<WatchedStock> &stocks)
{
    std::vector<TickerRun> out;
    for (const WatchedStock &stock : stocks) {
        const std::string &symbol = stock.quote.symbol;
        if (!symbol.ends_with("NS"))
            continue;
        const QuoteRecord &q = stock.quote;
        out.push_back({symbol.substr(0, symbol.size() - 3), colours::Black, true});
        out.push_back({"  " + quoteCellText(q, quotefield::Last, q.last), colours::Blue, false});
        if (!q.has(quotefield::Change))
            out.push_back({std::string(" (") + NotAvailableText + ")   ", colours::Black, false});
        else if (q.change < 0)
            out.push_back({" (" + formatDisplay(q.change) + ")   ", colours::Red, false});
        else
            out.push_back({" (+" + formatDisplay(q.change) + ")   ", colours::DarkGreen, false});
    }
    return out;
}
