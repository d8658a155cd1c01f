#include "core/net/quotesanity.h"

#include <algorithm>
#include <cmath>

namespace {
// Far past any price, index level or rate; beyond it "%.2f" writes a field of absurd length.
constexpr double MaxMagnitude = 1e12;
constexpr std::size_t MaxTextBytes = 64;

bool plausible(double value)
{
    return std::isfinite(value) && std::abs(value) < MaxMagnitude;
}

bool plainText(std::string_view text)
{
    return text.size() <= MaxTextBytes && std::none_of(text.begin(), text.end(), [](char c) {
               const auto u = static_cast<unsigned char>(c);
               return u < 0x20 || u == 0x7f;
           });
}

// Reads 1 to maxDigits digits followed by the separator (or the end when separator is 0).
bool readNumber(std::string_view &text, std::size_t maxDigits, char separator, int &value)
{
    std::size_t n = 0;
    value = 0;
    while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9')
        value = value * 10 + (text[n++] - '0');
    if (n == 0)
        return false;
    text.remove_prefix(n);
    if (separator == 0)
        return text.empty();
    if (text.empty() || text.front() != separator)
        return false;
    text.remove_prefix(1);
    return true;
}

int daysIn(int month, int year)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[month - 1];
}
} // namespace

bool isQuoteDate(std::string_view text)
{
    // A year of at most four digits and at least 1900 has exactly four.
    int month = 0, day = 0, year = 0;
    return readNumber(text, 2, '/', month) && readNumber(text, 2, '/', day) &&
           readNumber(text, 4, 0, year) && year >= 1900 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysIn(month, year);
}

bool isSaneQuote(const QuoteRecord &r)
{
    const double numbers[] = {r.last, r.change,  r.changePercent, r.open,        r.high,
                              r.low,  r.yearLow, r.yearHigh,      r.previousLast};
    return r.hasPrice() && isQuoteDate(r.date) && plainText(r.symbol) && plainText(r.time) &&
           r.volume >= 0 && std::all_of(std::begin(numbers), std::end(numbers), plausible);
}
