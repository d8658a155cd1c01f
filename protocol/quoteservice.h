#pragma once

#include "market.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// GET /d/quotes.csv?s=SYMBOLS&f=CODES: one line per symbol in request order. An unknown
// symbol still gets its line, all N/A; an empty one (",," or a trailing ",") gets none.
// Nothing when the market refuses the request, with its reason.
std::optional<std::vector<std::string>> quoteLines(Market &market, std::string_view symbols,
                                                   std::string_view codes, std::string &reason);
