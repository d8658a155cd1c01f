#pragma once

#include "livesource.h"
#include "marketcalendar.h"

#include <string>
#include <vector>

// How fresh a quote is, judged by its own time against the market's calendar: live only when
// stamped inside today's open session and no more than a few minutes old.
struct Freshness
{
    // From the freshest to the least fresh.
    enum Kind { Live, Delayed, Closed, EndOfDay } kind = EndOfDay;
    int minutes = 0;       // Delayed: how far behind
    std::int64_t day = -1; // Closed, EndOfDay: the date the price closed; -1 when unknown
    std::string source;    // Live: where it came from
};

// A quote is live when no older than this (more when the source says it is delayed).
constexpr std::int64_t LiveForSeconds = 5 * 60;

Freshness freshnessOf(const LiveQuote &quote, const MarketCalendar &calendar, std::int64_t nowUtc);
// True when a is less fresh than b.
bool lessFresh(const Freshness &a, const Freshness &b);
// "LIVE via batch", "DELAYED 15 min", "CLOSED · last close 6/20/2025", "END OF DAY 6/20/2025".
std::string labelOf(const Freshness &freshness);
// The label of an answer: its least fresh quote's; live quotes of several sources name them
// all. Empty when there is no quote.
std::string answerLabel(const std::vector<Freshness> &quotes);
