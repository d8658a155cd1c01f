#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// "2026-12-05": a day of the calendar as the trade book and the forms write it; none for an
// empty or malformed text, or a day the calendar lacks.
std::optional<std::chrono::year_month_day> isoDay(std::string_view text);

// "05-Dec-2026": a date with its month named, as reports and tooltips write it.
std::string dayMonthYearText(std::chrono::year_month_day day);
