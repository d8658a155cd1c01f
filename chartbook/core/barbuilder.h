#pragma once

#include "bar.h"
#include "feedtext.h"

#include <optional>

// The bar of one minute after one feed record arrived in it. A new bar opens at the record's
// previous price, where the move it reports started; a running bar takes the last price as
// its close and stretches to it. Traded volume adds up; a negative increase (the quote's
// volume restarting) adds nothing.
Bar feedBar(const std::optional<Bar> &running, const FeedRecord &record, std::int64_t minute);

// A record whose last price is 0 carries no price (the quote was not available): it makes no bar.
inline bool carriesPrice(const FeedRecord &record)
{
    return record.last > 0;
}
