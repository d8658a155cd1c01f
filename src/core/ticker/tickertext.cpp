#include "core/ticker/tickertext.h"

#include "core/net/displayformat.h"

TickerNifty tickerNifty(const QuoteRecord &nifty)
{
    return TickerNifty{formatDisplay(nifty.last), "(" + formatDisplay(nifty.change) + " )",
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
        out.push_back({"  " + formatDisplay(q.last), colours::Blue, false});
        if (q.change < 0)
            out.push_back({" (" + formatDisplay(q.change) + ")   ", colours::Red, false});
        else
            out.push_back({" (+" + formatDisplay(q.change) + ")   ", colours::DarkGreen, false});
    }
    return out;
}
