#include "quoteservice.h"

#include "quoteformat.h"

namespace {
bool blank(std::string_view s)
{
    return s.find_first_not_of(" \t") == std::string_view::npos;
}
} // namespace

std::optional<std::vector<std::string>> quoteLines(Market &market, std::string_view symbols,
                                                   std::string_view codes, std::string &reason)
{
    std::vector<std::string> asked;
    while (!symbols.empty()) {
        const std::size_t comma = symbols.find(',');
        const std::string_view symbol = symbols.substr(0, comma);
        symbols.remove_prefix(comma == std::string_view::npos ? symbols.size() : comma + 1);
        if (!blank(symbol))
            asked.emplace_back(symbol);
    }
    std::vector<std::optional<QuoteFields>> quotes;
    if (!asked.empty() && !market.quotes(asked, quotes, reason))
        return std::nullopt;
    quotes.resize(asked.size());

    const QuoteLineFormat format(codes.empty() ? std::string_view("sl1d1t1c1ohgv") : codes);
    std::vector<std::string> lines;
    lines.reserve(asked.size());
    for (std::size_t k = 0; k < asked.size(); ++k) {
        const std::optional<QuoteFields> &quote = quotes[k];
        const bool named = quote && !quote->symbol.empty();
        lines.push_back(format.line(named ? quote->symbol : asked[k], quote ? &*quote : nullptr));
    }
    return lines;
}
