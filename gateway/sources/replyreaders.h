#pragma once

#include "livesource.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Readers of the sources' replies. Each takes the body as text and trusts nothing in it: a
// reply it cannot read gives an error text, and a field the reply lacks stays empty.

// No reply a source gives us is anywhere near this big; a larger body is refused unread.
constexpr std::size_t maxReplyBytes = 8 * 1024 * 1024;

struct ChartPoint
{
    std::int64_t time = 0; // UTC seconds
    std::optional<double> open, high, low, close;
    std::optional<std::int64_t> volume;
};

struct ChartReply
{
    std::optional<double> price;         // regularMarketPrice
    std::optional<double> previousClose; // previousClose, else chartPreviousClose
    std::optional<double> dayHigh, dayLow, yearHigh, yearLow;
    std::optional<std::int64_t> dayVolume;
    std::optional<std::int64_t> marketTime; // UTC seconds
    std::vector<ChartPoint> points;         // empty when the range has no bars
};

struct ReadResult
{
    bool ok = false;
    bool unknownSymbol = false; // the source said it has no such symbol
    std::string error;
};

ReadResult readChartReply(std::string_view body, ChartReply &out);

// A crumb is a short token; error texts ("Edge: Too Many Requests"), pages and JSON are not.
std::optional<std::string> readCrumb(std::string_view body);

// The batch quote reply, by symbol as the source spelt it.
ReadResult readBatchQuotes(std::string_view body, std::map<std::string, LiveQuote> &out);

// The one file inside a zip archive; empty with an error when it is not a zip of one file.
ReadResult readSingleFileZip(std::string_view zip, std::string &file);

struct BhavRow
{
    std::string symbol;     // TckrSymb
    std::string instrument; // FinInstrmId (the BSE scrip code)
    std::string series;     // SctySrs
    std::string type;       // FinInstrmTp
    std::optional<double> open, high, low, close, previousClose;
    std::optional<std::int64_t> volume;
};

struct Bhavcopy
{
    std::int64_t day = -1; // TradDt, days since 1970-01-01
    std::vector<BhavRow> rows;
};

// The exchanges' end-of-day CSV; a file with other columns is refused whole.
ReadResult readBhavcopy(std::string_view csv, Bhavcopy &out);
