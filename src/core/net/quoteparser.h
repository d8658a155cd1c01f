#pragma once

#include "core/net/quoterecord.h"

#include <string_view>

namespace quotefields {
// The main refresh asks for all eleven fields; the toppers scan and the symbol check
// ask for the first nine and leave the year range as it was.
inline constexpr int Full = 11;
inline constexpr int Short = 9;
} // namespace quotefields

// Overwrites the first fieldCount parsed fields of record from one reply line.
// Never fails: missing or non-numeric fields give 0 and empty strings.
void parseQuoteLine(std::string_view line, QuoteRecord &record, int fieldCount = quotefields::Full);
