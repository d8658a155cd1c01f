#include "core/net/quoteparser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isCSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isCSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// One field of the line with its quotes removed and its blanks trimmed. A field without
// quotes, as every number is, is used where it stands; the others are copied once.
class Token
{
public:
    void assign(std::string_view raw)
    {
        if (raw.find('"') == std::string_view::npos) {
            m_view = trim(raw);
            return;
        }
        m_copy.clear();
        for (char c : raw)
            if (c != '"')
                m_copy.push_back(c);
        m_view = trim(m_copy);
    }
    std::string_view view() const { return m_view; }

private:
    std::string m_copy;
    std::string_view m_view;
};

// A leading "+" is part of a number as the C library reads it; from_chars wants it gone.
bool dropPlus(std::string_view &text)
{
    if (text.size() > 1 && text.front() == '+') {
        text.remove_prefix(1);
        return text.front() != '-' && text.front() != '+';
    }
    return true;
}

// The field as a number only when the whole of it is one finite number that a double holds:
// "12<NUL>34.5" is no 12, "1e999" and four hundred digits are no infinity, "nan" is no price.
std::optional<double> wholeNumber(std::string_view text)
{
    if (!dropPlus(text))
        return std::nullopt;
    double value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A volume is a count: a negative one, or one past the 32-bit field, is no volume at all.
std::optional<std::int32_t> wholeVolume(std::string_view text)
{
    if (!dropPlus(text))
        return std::nullopt;
    std::int64_t value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 0 || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

template <typename T>
void take(QuoteRecord &record, T &target, std::uint16_t field, std::optional<T> value)
{
    target = value.value_or(T{});
    if (value)
        record.missing = static_cast<std::uint16_t>(record.missing & ~field);
    else
        record.missing = static_cast<std::uint16_t>(record.missing | field);
}

void takeNumber(QuoteRecord &record, double &target, std::uint16_t field, std::string_view text)
{
    take(record, target, field, wholeNumber(text));
}

// A double that a float cannot hold would turn into an infinity.
void takeSingle(QuoteRecord &record, float &target, std::uint16_t field, std::string_view text)
{
    std::optional<double> value = wholeNumber(text);
    if (value && std::abs(*value) > std::numeric_limits<float>::max())
        value.reset();
    take(record, target, field,
         value ? std::optional<float>(static_cast<float>(*value)) : std::nullopt);
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
    using namespace quotefield;
    switch (field) {
    case 0:
        record.symbol.assign(text);
        break;
    case 1:
        takeNumber(record, record.last, Last, text);
        break;
    case 2:
        record.date.assign(text);
        break;
    case 3:
        assignUpper(record.time, text);
        break;
    case 4:
        takeSingle(record, record.change, Change, text);
        break;
    case 5:
        takeNumber(record, record.open, Open, text);
        break;
    case 6:
        takeNumber(record, record.high, High, text);
        break;
    case 7:
        takeNumber(record, record.low, Low, text);
        break;
    case 8:
        take(record, record.volume, Volume, wholeVolume(text));
        break;
    case 9:
        takeNumber(record, record.yearLow, YearLow, text);
        break;
    case 10:
        takeNumber(record, record.yearHigh, YearHigh, text);
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
