// The quote service's reply lines. Any line leaves a record the program can show and store:
// finite numbers, a count that is no negative volume, every N/A field marked and 0, trimmed
// texts with no quote or comma, and the fields past those asked for untouched. A line the
// simulator writes reads back as written, its N/A fields marked.
#include "core/net/quoteparser.h"
#include "core/net/quotesanity.h"
#include "property.h"
#include "quoteformat.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr double Untouched = -12345.5;

QuoteRecord sentinelRecord()
{
    QuoteRecord r;
    r.symbol = r.date = r.time = "untouched";
    r.last = r.open = r.high = r.low = r.yearLow = r.yearHigh = Untouched;
    r.change = static_cast<float>(Untouched);
    r.volume = -7;
    return r;
}

bool plainField(const std::string &text)
{
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    return text.find_first_of("\",") == std::string::npos &&
           (text.empty() || (!blank(text.front()) && !blank(text.back())));
}

void anyLine(std::string_view line, int fieldCount)
{
    QuoteRecord r = sentinelRecord();
    parseQuoteLine(line, r, fieldCount);
    const QuoteRecord s = sentinelRecord();
    const double numbers[] = {r.last, r.open, r.high, r.low, r.yearLow, r.yearHigh, r.change};
    const double before[] = {s.last, s.open, s.high, s.low, s.yearLow, s.yearHigh, s.change};
    const int fieldOf[] = {1, 5, 6, 7, 9, 10, 4};
    const std::uint16_t bitOf[] = {quotefield::Last,  quotefield::Open,    quotefield::High,
                                   quotefield::Low,   quotefield::YearLow, quotefield::YearHigh,
                                   quotefield::Change};
    for (int i = 0; i < 7; ++i) {
        FUZZ_REQUIRE(std::isfinite(numbers[i]));
        if (fieldOf[i] >= fieldCount)
            FUZZ_REQUIRE(numbers[i] == before[i] && r.has(bitOf[i]));
        else if (line.size() > quotefields::MaxLineBytes)
            FUZZ_REQUIRE(!r.has(bitOf[i]));
        if (!r.has(bitOf[i]))
            FUZZ_REQUIRE(numbers[i] == 0);
    }
    FUZZ_REQUIRE(fieldCount <= 8 ? r.volume == -7 : r.volume >= 0);
    FUZZ_REQUIRE(r.has(quotefield::Volume) || r.volume == 0);
    for (const std::string *text : {&r.symbol, &r.date, &r.time})
        FUZZ_REQUIRE(*text == "untouched" || plainField(*text));
    FUZZ_REQUIRE(r.time.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos ||
                 fieldCount <= 3);
    if (fieldCount == quotefields::Full && isSaneQuote(r))
        FUZZ_REQUIRE(isQuoteDate(r.date));
}

// A price in cents, or none; cents / 100.0 prints and reads back as the same double.
std::optional<double> price(FuzzInput &in)
{
    const std::uint32_t cents = in.number(4);
    if (cents % 7 == 0)
        return std::nullopt;
    return (cents & 1 ? -1.0 : 1.0) * static_cast<double>(cents >> 1) / 100.0;
}

std::string symbol(FuzzInput &in)
{
    static constexpr std::string_view Chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789^&.-=";
    std::string s;
    for (int n = 1 + in.byte() % 12; n > 0; --n)
        s += Chars[in.byte() % Chars.size()];
    return s;
}

// The simulator's full line for fields taken from the input, read back by the program.
void writtenLine(FuzzInput &in)
{
    QuoteFields q;
    q.symbol = symbol(in);
    q.last = price(in);
    q.change = price(in);
    q.open = price(in);
    q.high = price(in);
    q.low = price(in);
    q.yearLow = price(in);
    q.yearHigh = price(in);
    if (in.byte() % 5)
        q.volume = static_cast<std::int64_t>(in.number(4)) * (in.byte() % 3 == 0 ? -3 : 1);
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%d", 1 + in.byte() % 12, 1 + in.byte() % 28,
                  1990 + in.byte() % 60);
    q.date = text;
    std::snprintf(text, sizeof text, "%d:%02dpm", 1 + in.byte() % 12, in.byte() % 60);
    q.time = text;

    const std::string line = QuoteLineFormat("sl1d1t1c1ohgvjk").line(q.symbol, &q);
    QuoteRecord r;
    parseQuoteLine(line, r);
    const auto orZero = [](const std::optional<double> &v) { return v.value_or(0); };
    FUZZ_REQUIRE(r.symbol == q.symbol);
    FUZZ_REQUIRE(r.last == orZero(q.last));
    FUZZ_REQUIRE(r.hasPrice() == q.last.has_value() &&
                 r.has(quotefield::Open) == q.open.has_value());
    FUZZ_REQUIRE(r.change == static_cast<float>(orZero(q.change)));
    FUZZ_REQUIRE(r.open == orZero(q.open) && r.high == orZero(q.high) && r.low == orZero(q.low));
    FUZZ_REQUIRE(r.yearLow == orZero(q.yearLow) && r.yearHigh == orZero(q.yearHigh));
    const std::int64_t volume = q.volume.value_or(0);
    const bool countable = q.volume && volume >= 0 && volume <= INT32_MAX;
    FUZZ_REQUIRE(r.volume == (countable ? volume : 0));
    FUZZ_REQUIRE(r.has(quotefield::Volume) == countable);
    FUZZ_REQUIRE(r.date == q.date);
    std::string upper = q.time;
    for (char &c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    FUZZ_REQUIRE(r.time == upper);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::uint8_t mode = in.byte();
    if (mode == 'W')
        writtenLine(in);
    else
        anyLine(in.rest(), mode % (quotefields::Full + 1));
    return 0;
}
