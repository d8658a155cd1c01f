#pragma once

#include "core/trades/trade.h"

#include <string>
#include <string_view>
#include <vector>

// A row of a tradebook file, by its line number (from 1).
struct TradebookRow
{
    int line = 0;
    Trade trade;
};

struct RefusedRow
{
    int line = 0;
    std::string reason;
};

// What a broker's tradebook CSV holds: its equity trades and the rows that could not be
// taken, each with why. error is set, and nothing else, when the file is no tradebook at all.
struct Tradebook
{
    std::string error;
    std::vector<TradebookRow> rows;
    std::vector<RefusedRow> refused;
};

// The header is looked for in the first HeaderSearchLines lines, below any preamble. A line
// longer than LongestLine is refused unread, a file larger than LargestFile as a whole.
inline constexpr int HeaderSearchLines = 20;
inline constexpr std::size_t LongestLine = 1000;
inline constexpr std::size_t LargestFile = 64u * 1024 * 1024;

// Reads the file's text; source names it in messages and becomes each trade's source.
// Trades come out as delivery, without broker or company name: the import decides those.
Tradebook readTradebook(std::string_view text, const std::string &source);
