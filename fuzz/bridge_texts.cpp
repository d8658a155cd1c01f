// The texts vantrel-chartbook is handed over the bridge: feed cycles and stock lists. A text
// is taken whole or refused with a reason. Taken records name real symbols and carry finite
// prices, and a price is zero only where its text is zero; a taken stock list has no repeats.
#include "core/feedtext.h"
#include "core/fields.h"
#include "property.h"

#include <algorithm>
#include <cmath>

namespace {
void prices(std::string_view text)
{
    for (const std::string_view record : fields::split(text, '*'))
        for (const std::string_view piece : fields::split(record, ',')) {
            const auto value = fields::price(piece);
            if (!value)
                continue;
            FUZZ_REQUIRE(std::isfinite(*value) && *value >= 0);
            const bool zeroText = piece.find_first_of("123456789") == std::string_view::npos;
            FUZZ_REQUIRE((*value == 0) == zeroText);
        }
}

void feed(std::string_view text)
{
    std::vector<FeedRecord> records;
    std::string error;
    if (!parseFeedText(text, records, error)) {
        FUZZ_REQUIRE(!error.empty());
        return;
    }
    FUZZ_REQUIRE(records.size() <=
                 static_cast<std::size_t>(std::count(text.begin(), text.end(), '*')) + 1);
    for (const FeedRecord &r : records) {
        FUZZ_REQUIRE(fields::isSymbol(r.symbol));
        FUZZ_REQUIRE(std::isfinite(r.previous) && std::isfinite(r.last));
        FUZZ_REQUIRE(r.previous >= 0 && r.last >= 0);
    }
}

void stockList(std::string_view text)
{
    std::vector<std::string> symbols;
    std::string error;
    if (!parseStockList(text, symbols, error)) {
        FUZZ_REQUIRE(!error.empty());
        return;
    }
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        FUZZ_REQUIRE(fields::isSymbol(symbols[i]));
        FUZZ_REQUIRE(std::find(symbols.begin(), symbols.begin() + i, symbols[i]) ==
                     symbols.begin() + i);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    feed(text);
    stockList(text);
    prices(text);
    return 0;
}
