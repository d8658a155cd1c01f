#pragma once

#include "core/net/quoterecord.h"

#include <string_view>

// Whether a record may go into the user's data files or open the next bar. The service's junk
// (no price, a date that is no date, numbers no price can be, control characters, fields of
// absurd length) never does: those files are the user's history, and nothing written there
// may need cleaning by hand.
bool isSaneQuote(const QuoteRecord &record);

// A real calendar date written M/D/YYYY, with or without leading zeros.
bool isQuoteDate(std::string_view text);
