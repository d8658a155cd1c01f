#pragma once

#include "core/common/clock.h"
#include "core/common/exportfile.h"

#include <string>

// The name a CSV export proposes: day-month-year_hour-minute-second and AM or PM, with the
// hour on a twelve-hour dial except that 12 stays 12 and 0 stays 0 (27-06-2008_03-59-07PM).
std::string defaultExportName(const LocalTime &t);

inline constexpr int ExportNameMaxLength = exportfile::NameMaxLength;
inline constexpr const char *ExportNameMissing = exportfile::NameMissing;

// The entered name trimmed at both ends, when it can name the export's file; otherwise the
// problem to tell the user, and the name is empty.
struct ExportNameAnswer
{
    std::string name;
    std::string problem;
};
ExportNameAnswer acceptExportName(const std::string &entered);
