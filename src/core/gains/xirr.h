#pragma once

#include <chrono>
#include <optional>
#include <span>

// Money paid out is negative (a buy), money received positive (a sale, today's value).
struct CashFlow
{
    std::chrono::year_month_day day;
    double amount = 0;
};

// The annual rate r (0.1 for 10%) at which the flows' present value is 0, counting time as
// days / 365 from the earliest flow. None without money both paid and received, without two
// different days, or with an amount that is not a finite number. Newton's method first;
// where it leaves the rates above -100% or does not settle, a scan for a change of sign and
// bisection find the root nearest 10%.
std::optional<double> xirr(std::span<const CashFlow> flows);
