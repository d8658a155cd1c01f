#pragma once

#include <chrono>
#include <optional>
#include <string>

enum class GainTerm { ShortTerm, LongTerm };

// Why a row stays out of the totals. Both show as "needs 31-Jan-2018 value": a lot without a
// buy date may well be one bought before February 2018.
enum class GainIssue { None, NoBuyDate, NoJan2018Value };

inline constexpr const char *NeedsJan2018Value = "needs 31-Jan-2018 value";

// One sale and lot consumed, as the gains report shows it. Gain is saleValue less
// costForGain, which differs from cost only where the 31 January 2018 value raised it.
struct GainRow
{
    std::string symbol;
    std::optional<std::chrono::year_month_day> bought;
    std::chrono::year_month_day sold;
    long quantity = 0;
    double cost = 0;
    double costForGain = 0;
    double saleValue = 0;
    double gain = 0;
    GainTerm term = GainTerm::ShortTerm;
    GainIssue issue = GainIssue::None;

    bool counted() const { return issue == GainIssue::None; }
};

// An intraday round trip: speculative business income, not a capital gain.
struct IntradayRow
{
    std::string symbol;
    std::chrono::year_month_day day;
    long quantity = 0;
    double turnover = 0;
    double result = 0;
};
