#pragma once

#include "core/net/quoterecord.h"

#include <cstddef>
#include <string_view>

namespace quotefields {
// The main refresh asks for all eleven fields; the toppers scan and the symbol check
// ask for the first nine and leave the year range as it was.
inline constexpr int Full = 11;
inline constexpr int Short = 9;
// Real lines run to a few hundred bytes; anything longer is junk and is read as an empty line.
inline constexpr std::size_t MaxLineBytes = 1024;
} // namespace quotefields

// Overwrites the first fieldCount parsed fields of record from one reply line.
// Never fails. A numeric field is a number only when the whole field is one finite number
// the record can hold; anything else (N/A, empty, trailing bytes, infinities, NaN, too many
// digits, volumes outside 0..2^31-1) is marked missing in the record and reads 0. Missing
// string fields are empty; a line over MaxLineBytes reads as an empty line.
void parseQuoteLine(std::string_view line, QuoteRecord &record, int fieldCount = quotefields::Full);
