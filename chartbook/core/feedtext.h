#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One record of a feed cycle: "SYMBOL,previous,last,volume", the volume being what traded
// since the previous record, written "0" when not known or as "N," (the number and a comma).
struct FeedRecord
{
    std::string symbol;
    double previous = 0;
    double last = 0;
    std::int64_t volume = 0;
};

// The records of a feed text, records joined by "*"; empty records (a text that starts with
// "*", or an empty cycle) are no records. False, with the reason in error, when any record
// is malformed.
bool parseFeedText(std::string_view text, std::vector<FeedRecord> &records, std::string &error);

// A feed cycle carries a watch list's stocks and two indices; a text far beyond that is
// refused whole rather than stored for minutes on end.
inline constexpr std::size_t MaxFeedRecords = 1000;
inline constexpr std::size_t MaxFeedBytes = 128 * 1024;
bool feedTooLarge(std::string_view text);

// The symbols of a stock list text, each followed by ",", in order and without repeats.
bool parseStockList(std::string_view text, std::vector<std::string> &symbols, std::string &error);
