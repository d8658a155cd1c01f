#pragma once

#include "bar.h"
#include "marketcalendar.h"
#include "quotefields.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the live gateway asks of a public price source. Sources are tried in order; each keeps
// its own cache, request-rate cap and back-off, and is called from the server's worker
// threads, so every method is safe to call from several threads at once.

// One quote as a source gave it: the quote service's fields, and where and when it comes from,
// so the gateway can tell a live price from an old one. A field the source did not give stays
// empty and goes on the wire as N/A: never a made-up number.
struct LiveQuote : QuoteFields
{
    std::optional<std::int64_t> at;    // the quote's own time, UTC seconds
    std::optional<int> delayedMinutes; // exchangeDataDelayedBy, when the source says
    std::string marketState;           // "REGULAR", "CLOSED", ... when the source says
    std::string source;                // the source's name, set by whoever keeps it
    bool closingPrice = false;         // from an end-of-day file
};

enum class BarSpan {
    OneDayOneMinute,    // the session so far, 1-minute bars (backfill, 1-day charts)
    FiveDaysFiveMinute, // five sessions, 5-minute bars (backfill)
    Daily               // daily bars over a range (other chart ranges)
};

// How a call went. Refused covers HTTP 401/403/404-for-everything/429/5xx, unreadable
// replies and a source in back-off; the reason is a short text for the status page.
struct SourceOutcome
{
    enum Kind { Answered, Refused } kind = Answered;
    std::string reason;
};
// The refusal of a source that answered but knew none of the symbols.
inline constexpr const char *NoSymbolKnown = "no symbol known";

// A source's health, for GET /gateway/status.
struct SourceStatus
{
    std::string name;                        // "chart", "batch", "end-of-day"
    std::string state;                       // "ok", "refused", "throttled", "idle"
    std::string lastSuccess;                 // ISO 8601 UTC, empty when none
    std::string lastError;                   // empty when none
    std::string throttledUntil;              // ISO 8601 UTC, empty when not throttled
    std::vector<std::string> unknownSymbols; // reported once each, never guessed
};

class LiveSource
{
public:
    virtual ~LiveSource() = default;

    // How the program labels prices from this source: "LIVE via <name>" or, for the end-of-day
    // files, "END OF DAY <date>".
    virtual std::string label() const = 0;

    // Quotes for the symbols, in order; an entry is empty for a symbol this source does not
    // know or could not answer. The outcome is Refused when the source gave nothing usable.
    virtual SourceOutcome quotes(const std::vector<std::string> &symbols,
                                 std::vector<std::optional<LiveQuote>> &out) = 0;

    // Bars of one symbol, oldest first, stamped with India's local time. Sources without bars
    // refuse.
    virtual SourceOutcome bars(const std::string &symbol, BarSpan span, int days,
                               std::vector<Bar> &out) = 0;

    virtual SourceStatus status() const = 0;

    // Ends any wait for a request slot, now and later: the gateway is closing.
    virtual void stop() = 0;
};

// Where the sources are and how they are reached; every URL can point at a fake server.
struct LiveSourceConfig
{
    std::string chartBaseUrl = "https://query1.finance.yahoo.com";
    std::string batchBaseUrl = "https://query1.finance.yahoo.com";
    std::string crumbPageUrl = "https://finance.yahoo.com/quote/AAPL";
    std::string nseArchiveBaseUrl = "https://nsearchives.nseindia.com";
    std::string bseBaseUrl = "https://www.bseindia.com";
    std::string dataRoot;         // end-of-day files are kept under <dataRoot>/LiveEOD/
    double requestsPerSecond = 5; // per host, in a burst
    int requestsPerMinute = 60;   // per host, over any minute
    // The longest one request to a host may take, whole; 0 keeps the fetcher's own.
    std::chrono::milliseconds fetchTimeLimit{0};
    // The sources tried, in order: "batch", "chart", "end-of-day" (an unknown name is left out).
    std::vector<std::string> order = {"batch", "chart", "end-of-day"};
    // Trading days and hours; empty: weekdays, no holidays.
    std::shared_ptr<const MarketCalendar> calendar;
    std::string proxy; // "http://host:port"; empty: https_proxy, else none
    // The clock the back-off and the cache read; tests give a fixed one.
    std::chrono::system_clock::time_point (*now)() = nullptr;
};

// The sources in the order they are tried, by default the batch quote API (many symbols a
// request), the chart API (indices, currencies, what the batch API refuses), the end-of-day
// files.
std::vector<std::unique_ptr<LiveSource>> makeLiveSources(const LiveSourceConfig &config);
