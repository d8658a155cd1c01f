#pragma once

#include <QString>

class CompanyDatabase;

// --import-trades: reads a broker's tradebook into the trade book without a window, printing
// what it did. 0 when trades were stored, 3 when nothing was (nothing new, or the file or
// the database could not be used), 2 for a broker that does not exist.
int runImportTrades(CompanyDatabase &database, const QString &file, const QString &brokerName);
