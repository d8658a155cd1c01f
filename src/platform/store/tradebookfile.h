#pragma once

#include "core/trades/tradebookreader.h"

#include <QString>

// Reads a tradebook file; a file that can't be read, or is larger than any tradebook, gives
// the reason as the tradebook's error. Trades take the file's name as their source.
Tradebook readTradebookFile(const QString &path);
