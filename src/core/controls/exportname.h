#pragma once

#include "core/common/clock.h"

#include <optional>
#include <string>

// The name a CSV export proposes: day-month-year_hour-minute-second and AM or PM, with the
// hour on a twelve-hour dial except that 12 stays 12 and 0 stays 0 (27-06-2008_03-59-07PM).
std::string defaultExportName(const LocalTime &t);

inline constexpr int ExportNameMaxLength = 25;
inline constexpr const char *ExportNameMissing = "Please write a name for the CSV file";

// The entered name trimmed at both ends, or nothing when only blanks were entered.
std::optional<std::string> acceptExportName(const std::string &entered);
