#include "core/chartlink/feedtext.h"

#include "core/net/displayformat.h"

#include <cstdio>

namespace chartlink {
namespace {

std::string twoDecimals(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A price cell's text without its grouping commas.
std::string cellPrice(double value)
{
    std::string text = formatDisplay(value);
    std::erase(text, ',');
    return text;
}

// Records are joined by "*": none before the first.
void appendRecord(std::string &out, const std::string &record)
{
    if (!out.empty())
        out += '*';
    out += record;
}

void appendIndex(std::string &out, const char *name, const IndexBoard &board, IndexBoard::Slot s)
{
    const double previous = board.previousPrice(s);
    if (previous <= 0 || !board.slot(s).hasPrice())
        return;
    if (!out.empty())
        out += '*';
    out += std::string(name) + "," + twoDecimals(previous) + "," + twoDecimals(board.slot(s).last) +
           ",0";
}

} // namespace

std::string feedText(const IndexBoard &board, const std::vector<WatchedStock> &stocks)
{
    std::string out;
    appendIndex(out, "NIFTY", board, IndexBoard::Nifty);
    appendIndex(out, "SENSEX", board, IndexBoard::Sensex);
    for (const WatchedStock &s : stocks) {
        // A negative price is a garbled quote, and the charting program refuses a whole
        // text for one record it cannot read: such a stock sits this cycle out.
        if (!s.isNse() || s.previous.price == 0 || s.previous.price < 0 || s.quote.last < 0 ||
            !s.quote.hasPrice())
            continue;
        std::string record = s.entry.symbol + "," + cellPrice(s.previous.price) + "," +
                             cellPrice(s.quote.last) + ",";
        // The volume traded since the previous refresh, when that refresh saw a price.
        if (s.previous.taken > 0)
            record += std::to_string(static_cast<long>(s.quote.volume) - s.previous.volume) + ",";
        else
            record += "0";
        appendRecord(out, record);
    }
    return out;
}

std::string syncList(const std::vector<WatchedStock> &stocks)
{
    std::string out;
    for (const WatchedStock &s : stocks)
        if (s.isNse())
            out += s.entry.symbol + ",";
    return out + "NIFTY,SENSEX,";
}

} // namespace chartlink
