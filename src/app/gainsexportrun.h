#pragma once

#include <QString>

class CompanyDatabase;

// --export-gains YEAR FILE: the gains report of one financial year as CSV, without a window,
// printing what it wrote. 0 when written; 2 for a year that is no "2025-26"; 3 when the
// database or the file could not be used.
int runExportGains(CompanyDatabase &database, const QString &year, const QString &file);
