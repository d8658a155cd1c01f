#pragma once

#include "core/gains/lotsale.h"
#include "core/gains/xirr.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A lot still held, with its cost including the buying charges.
struct UnsoldLot
{
    std::optional<std::chrono::year_month_day> bought;
    long quantity = 0;
    double cost = 0;
};

// Everything one company's holding has done: the lots consumed by sales and the lots still
// held, with the latest price (none without a quote).
struct HoldingHistory
{
    std::string symbol;
    std::vector<LotSale> sold;
    std::vector<UnsoldLot> open;
    std::optional<double> latestPrice;
};

enum class ReturnIssue { None, NoDates, NoPrice, NoRate };

inline constexpr const char *NoXirrWithoutDates = "no XIRR: buy dates unknown";

// Realised and unrealised results side by side, and the annual rate of the whole history.
struct HoldingReturns
{
    double realised = 0;
    std::optional<double> unrealised; // none when lots are held and no price is known
    std::optional<double> xirr;
    ReturnIssue issue = ReturnIssue::None; // why xirr is missing
};

// Every buy negative on its day (a buy split over several sales comes as its parts, which
// add up to it), every sale positive, and the open lots at the latest price positive today.
// None when a lot has no buy date, or when lots are held without a price.
std::optional<std::vector<CashFlow>> holdingCashFlows(const HoldingHistory &holding,
                                                      std::chrono::year_month_day today);

HoldingReturns holdingReturns(const HoldingHistory &holding, std::chrono::year_month_day today);
// The whole portfolio's flows together: one holding without dates or price leaves the
// portfolio without a rate too, rather than a rate of the rest shown as the whole.
HoldingReturns portfolioReturns(std::span<const HoldingHistory> holdings,
                                std::chrono::year_month_day today);

// "12.34%", or why there is none: NoXirrWithoutDates, else "N/A".
std::string xirrText(const HoldingReturns &returns);
