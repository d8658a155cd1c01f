#pragma once

#include "core/net/quoteorigin.h"

#include <cstdint>
#include <string>

// The parsed numeric fields of a quote, one bit each, so a record can say which it lacks.
namespace quotefield {
inline constexpr std::uint16_t Last = 1 << 0;
inline constexpr std::uint16_t Change = 1 << 1;
inline constexpr std::uint16_t Open = 1 << 2;
inline constexpr std::uint16_t High = 1 << 3;
inline constexpr std::uint16_t Low = 1 << 4;
inline constexpr std::uint16_t Volume = 1 << 5;
inline constexpr std::uint16_t YearLow = 1 << 6;
inline constexpr std::uint16_t YearHigh = 1 << 7;
} // namespace quotefield

// One parsed reply line of the quote service. Change and change percent are single
// precision and volume a 32-bit integer, as the service's consumers have always stored them.
struct QuoteRecord
{
    std::string symbol;
    double last = 0;
    std::string date;
    std::string time;
    float change = 0;
    float changePercent = 0; // filled by the consumer, never parsed
    double open = 0;
    double high = 0;
    double low = 0;
    std::int32_t volume = 0;
    double yearLow = 0;
    double yearHigh = 0;
    double previousLast = 0; // filled by the consumer, never parsed
    // Fields whose reply text was not wholly one finite number: they hold 0 but are N/A, and
    // nothing may show, store or pass them on as a value.
    std::uint16_t missing = 0;
    // Set beside the line by whoever reads the reply, when the service told it.
    QuoteOrigin origin = {};

    // Whether every field of the mask (quotefield bits) came as a number.
    bool has(std::uint16_t fields) const { return (missing & fields) == 0; }
    bool hasPrice() const { return has(quotefield::Last); }
};
