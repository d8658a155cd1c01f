#pragma once

#include "market.h"

#include <string>
#include <string_view>
#include <vector>

// Writes the quote service's CSV lines for a request's field codes ("sl1d1t1c1ohgvjk",
// "sl1d1t1c1ohgv", "w", ...): strings quoted, numbers bare with two decimals, the change
// signed, the volume a whole number, and N/A where there is no value.
class QuoteLineFormat
{
public:
    explicit QuoteLineFormat(std::string_view codes);

    // One line without its line end; no quote means the symbol is unknown.
    std::string line(std::string_view symbol, const QuoteFields *quote) const;
    std::size_t fieldCount() const { return m_fields.size(); }

private:
    enum class Field {
        Symbol,
        Last,
        Date,
        Time,
        Change,
        Open,
        High,
        Low,
        Volume,
        YearLow,
        YearHigh,
        YearRange,
        Unknown
    };
    static Field fieldOf(std::string_view code);

    std::vector<Field> m_fields;
};
