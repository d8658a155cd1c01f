#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One symbol's quote as the quote service sends it. A field left empty goes on the wire as
// N/A: a market that does not know a value says so rather than make one up.
struct QuoteFields
{
    std::string symbol; // as the market spells it ("^NSEI", not "^nsei ")
    std::optional<double> last;
    std::optional<double> change; // against the previous close
    std::optional<double> open;
    std::optional<double> high;
    std::optional<double> low;
    std::optional<std::int64_t> volume;
    std::optional<double> yearLow;
    std::optional<double> yearHigh;
    std::string date; // "M/D/YYYY"; empty when unknown
    std::string time; // "h:mmAM"; empty when unknown
};
