#pragma once

#include <chrono>

// Listed shares are long-term when held more than 12 months. The 12 months run to the same
// day a year later (bought 10 June 2024: 10 June 2025 is still short-term, 11 June long-term);
// a buy on 29 February reaches 12 months on 28 February, the last day of that month.
std::chrono::year_month_day twelveMonthsAfter(std::chrono::year_month_day bought);
bool isLongTerm(std::chrono::year_month_day bought, std::chrono::year_month_day sold);
