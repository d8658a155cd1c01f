#pragma once

#include <chrono>
#include <string>

// "05-Dec-2026": a date with its month named, as reports and tooltips write it.
std::string dayMonthYearText(std::chrono::year_month_day day);
