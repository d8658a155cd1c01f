#pragma once

#include "marketmodel.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// GET /d/quotes.csv?s=SYMBOLS&f=CODES: one line per symbol in request order. An unknown
// symbol still gets its line, all N/A; an empty one (",," or a trailing ",") gets none.
std::vector<std::string> quoteLines(const MarketModel &model, std::int64_t time,
                                    std::string_view symbols, std::string_view codes);
