#include "quoteservice.h"

#include "quoteformat.h"

namespace {
bool blank(std::string_view s)
{
    return s.find_first_not_of(" \t") == std::string_view::npos;
}
} // namespace

std::vector<std::string> quoteLines(const MarketModel &model, std::int64_t time,
                                    std::string_view symbols, std::string_view codes)
{
    const QuoteLineFormat format(codes.empty() ? std::string_view("sl1d1t1c1ohgv") : codes);
    std::vector<std::string> lines;
    while (!symbols.empty()) {
        const std::size_t comma = symbols.find(',');
        const std::string_view symbol = symbols.substr(0, comma);
        symbols.remove_prefix(comma == std::string_view::npos ? symbols.size() : comma + 1);
        if (blank(symbol))
            continue;
        if (const Instrument *instrument = model.universe().find(symbol)) {
            const Quote quote = model.quote(*instrument, time);
            lines.push_back(format.line(instrument->symbol, &quote));
        } else {
            lines.push_back(format.line(symbol, nullptr));
        }
    }
    return lines;
}
