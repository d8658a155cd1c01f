#pragma once

#include "core/trades/tradebookreader.h"

#include <string>
#include <vector>

// A symbol bought and sold on one day of the file: its trades were taken as intraday.
struct IntradayDay
{
    std::string symbol;
    std::string date;
};

// What importing a tradebook would do, before anything is stored.
struct ImportPreview
{
    std::vector<TradebookRow> toAdd;
    std::vector<TradebookRow> alreadyHeld; // same exchange, trade id and date as a stored trade
    std::vector<RefusedRow> refused;       // the file's refusals and the import's, by line
    std::vector<IntradayDay> intraday;
};

// Decides each row of the file against the stored trades: a row already held is skipped; a
// symbol both bought and sold on one day of the file is intraday on that day; a sale of more
// than is held at that point (stored trades and the file's, in time order) is refused. The
// trades to add take brokerId.
ImportPreview previewImport(const Tradebook &book, const std::vector<Trade> &stored, long brokerId);

// The key of the duplicate rule; empty for a trade without the exchange's trade id.
std::string duplicateKey(const Trade &trade);

// The preview as text: counts, then each refused row and each intraday day, one a line.
std::string describePreview(const ImportPreview &preview);
