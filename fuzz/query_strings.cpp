// Request targets as the simulator reads them. A value the program encodes comes back decoded
// as it was: a symbol (kept "^", "=", "," unencoded as the services expect), a comma-joined
// list of symbols, and a company name. Any target splits into items whose decoded texts are no
// longer than what they were decoded from, and a key finds its first item.
#include "core/net/urlencode.h"
#include "property.h"
#include "querystring.h"

namespace {
void anyTarget(std::string_view target)
{
    const QueryString query(target);
    for (const auto &[key, value] : query.items()) {
        FUZZ_REQUIRE(key.size() + value.size() <= target.size());
        const auto found = query.value(key);
        FUZZ_REQUIRE(found.has_value());
        for (const auto &[k, v] : query.items())
            if (k == key) {
                FUZZ_REQUIRE(*found == v);
                break;
            }
    }
}

void roundTrips(std::string_view text)
{
    const std::string symbol(text);
    const QueryString quotes("/d/quotes.csv?s=" + encodeQueryValue(symbol) + "&f=sl1d1t1c1ohgv");
    FUZZ_REQUIRE(quotes.value("s") == symbol);
    FUZZ_REQUIRE(quotes.value("f") == "sl1d1t1c1ohgv");

    const QueryString lookup("/lookup?s=" + encodeText(symbol) + "#top");
    FUZZ_REQUIRE(lookup.value("s") == symbol);

    // The refresh asks for many symbols at once, joined by commas.
    const std::string list = encodeQueryValue(symbol) + "," + encodeQueryValue(symbol);
    FUZZ_REQUIRE(QueryString("/d/quotes.csv?f=sl1&s=" + list).value("s") == symbol + "," + symbol);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    anyTarget(text);
    roundTrips(text);
    return 0;
}
