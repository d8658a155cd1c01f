#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where one quote came from and how fresh it was, as the live gateway tells it beside its
// reply lines. Nothing is known of a quote from the simulator or a service that does not say.
struct QuoteOrigin
{
    enum Kind { Unknown, Live, Delayed, Closed, EndOfDay } kind = Unknown;
    std::string source;     // "batch", "chart", "end-of-day"
    std::int64_t at = 0;    // the quote's own time, UTC seconds
    int delayedMinutes = 0; // Delayed: how far behind
    bool operator==(const QuoteOrigin &) const = default;
};

// A close or a delayed price: the lists draw its figures in italics. A quote whose origin
// nobody told (the simulator's) is taken as it comes, as before.
inline bool isNotLive(const QuoteOrigin &origin)
{
    return origin.kind != QuoteOrigin::Unknown && origin.kind != QuoteOrigin::Live;
}
// What the italics mean, on the bar's line that names where prices come from.
inline constexpr const char *ItalicsTip =
    "Prices in italics are a close or delayed, not live: a row's tooltip tells which.";

// The gateway's list, one entry per symbol asked, comma-separated,
// "kind;source;utcSeconds;delayMinutes"; an empty or malformed entry is Unknown.
std::vector<QuoteOrigin> parseQuoteOrigins(std::string_view text);

// What a row's tooltip says of a quote that is not live: "Close of 05-Dec-2026 via end of
// day", "Delayed 15 min, 11:02 of 05-Dec-2026 via chart". Empty for a live or unknown one.
std::string quoteOriginTip(const QuoteOrigin &origin);
