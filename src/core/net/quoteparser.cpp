#include "core/net/quoteparser.h"

#include "core/net/cnumber.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One field of the line with its quotes removed and its blanks trimmed. Short fields live
// in a fixed buffer so the numbers of a line cost no allocation.
class Token
{
public:
    void assign(std::string_view raw)
    {
        char *out = raw.size() <= m_small.size() ? m_small.data() : grow(raw.size());
        std::size_t n = 0;
        for (char c : raw)
            if (c != '"' && c != ',')
                out[n++] = c;
        std::size_t begin = 0;
        while (begin < n && isCSpace(out[begin]))
            ++begin;
        while (n > begin && isCSpace(out[n - 1]))
            --n;
        m_view = std::string_view(out + begin, n - begin);
    }
    std::string_view view() const { return m_view; }

private:
    char *grow(std::size_t size)
    {
        m_large.resize(size);
        return m_large.data();
    }
    std::array<char, 128> m_small{};
    std::string m_large;
    std::string_view m_view;
};

// Infinity and NaN are shown and stored as N/A is: 0.
double finite(double value)
{
    return std::isfinite(value) ? value : 0;
}

double number(std::string_view text)
{
    return finite(cStrToDouble(text));
}

// A double that a float cannot hold would turn into an infinity.
float singleNumber(std::string_view text)
{
    const double value = number(text);
    return std::abs(value) <= std::numeric_limits<float>::max() ? static_cast<float>(value) : 0;
}

// A volume is a count: a negative one, or one past the 32-bit field, is no volume at all.
std::int32_t volume(std::string_view text)
{
    const std::int64_t value = cStrToLong64(text);
    return value < 0 || value > INT32_MAX ? 0 : static_cast<std::int32_t>(value);
}

void assignUpper(std::string &target, std::string_view text)
{
    target.assign(text);
    for (char &c : target)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

void fill(QuoteRecord &record, int field, std::string_view text)
{
    switch (field) {
    case 0:
        record.symbol.assign(text);
        break;
    case 1:
        record.last = number(text);
        break;
    case 2:
        record.date.assign(text);
        break;
    case 3:
        assignUpper(record.time, text);
        break;
    case 4:
        record.change = singleNumber(text);
        break;
    case 5:
        record.open = number(text);
        break;
    case 6:
        record.high = number(text);
        break;
    case 7:
        record.low = number(text);
        break;
    case 8:
        record.volume = volume(text);
        break;
    case 9:
        record.yearLow = number(text);
        break;
    case 10:
        record.yearHigh = number(text);
        break;
    default:
        break;
    }
}

} // namespace

void parseQuoteLine(std::string_view line, QuoteRecord &record, int fieldCount)
{
    fieldCount = std::clamp(fieldCount, 0, quotefields::Full);
    if (line.size() > quotefields::MaxLineBytes)
        line = {};
    Token token;
    std::size_t p = 0;
    for (int field = 0; field < fieldCount; ++field) {
        std::size_t end = p < line.size() ? line.find(',', p) : std::string_view::npos;
        if (end == std::string_view::npos)
            end = line.size() + 1;
        token.assign(p < line.size() ? line.substr(p, std::min(end, line.size()) - p)
                                     : std::string_view());
        fill(record, field, token.view());
        p = end + 1;
    }
}
