#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// An Indian financial year, 1 April to 31 March, named by its two calendar years: "2025-26".
struct FinancialYear
{
    int firstYear = 0; // 2025 for "2025-26"

    std::chrono::year_month_day first() const;
    std::chrono::year_month_day last() const;
    bool contains(std::chrono::year_month_day day) const;
    std::string name() const;

    bool operator==(const FinancialYear &) const = default;
};

// Only the exact form "YYYY-YY" with the second year following the first; anything else
// (spaces, "2025-2026", "2025-27") is refused rather than guessed at.
std::optional<FinancialYear> parseFinancialYear(std::string_view text);
FinancialYear financialYearOf(std::chrono::year_month_day day);
