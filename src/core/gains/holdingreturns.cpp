#include "core/gains/holdingreturns.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace std::chrono;

namespace {
bool hasAllDates(const HoldingHistory &h)
{
    return std::ranges::all_of(h.sold, [](const LotSale &s) { return s.bought.has_value(); }) &&
           std::ranges::all_of(h.open, [](const UnsoldLot &l) { return l.bought.has_value(); });
}

std::optional<double> openValue(const HoldingHistory &h)
{
    if (h.open.empty())
        return 0.0;
    // A price of 0 is how a missing quote used to look; neither is a value.
    if (!h.latestPrice || !std::isfinite(*h.latestPrice) || *h.latestPrice <= 0)
        return std::nullopt;
    double quantity = 0;
    for (const UnsoldLot &lot : h.open)
        quantity += double(lot.quantity);
    return quantity * *h.latestPrice;
}

// Realised and unrealised of one holding, the rate left to the caller.
HoldingReturns results(const HoldingHistory &h)
{
    HoldingReturns r;
    for (const LotSale &s : h.sold)
        r.realised += s.saleValue - s.cost;
    if (const auto value = openValue(h)) {
        r.unrealised = *value;
        for (const UnsoldLot &lot : h.open)
            *r.unrealised -= lot.cost;
    }
    return r;
}

void appendFlows(std::vector<CashFlow> &flows, const HoldingHistory &h, year_month_day today,
                 double value)
{
    for (const LotSale &s : h.sold) {
        flows.push_back({*s.bought, -s.cost});
        flows.push_back({s.sold, s.saleValue});
    }
    for (const UnsoldLot &lot : h.open)
        flows.push_back({*lot.bought, -lot.cost});
    if (value != 0)
        flows.push_back({today, value});
}

HoldingReturns withRate(HoldingReturns r, std::span<const HoldingHistory> holdings,
                        year_month_day today)
{
    std::vector<CashFlow> flows;
    for (const HoldingHistory &h : holdings) {
        const auto own = holdingCashFlows(h, today);
        if (!own) {
            r.issue = hasAllDates(h) ? ReturnIssue::NoPrice : ReturnIssue::NoDates;
            return r;
        }
        flows.insert(flows.end(), own->begin(), own->end());
    }
    r.xirr = xirr(flows);
    if (!r.xirr)
        r.issue = ReturnIssue::NoRate;
    return r;
}
} // namespace

std::optional<std::vector<CashFlow>> holdingCashFlows(const HoldingHistory &holding,
                                                      year_month_day today)
{
    const auto value = openValue(holding);
    if (!hasAllDates(holding) || !value)
        return std::nullopt;
    std::vector<CashFlow> flows;
    appendFlows(flows, holding, today, *value);
    return flows;
}

HoldingReturns holdingReturns(const HoldingHistory &holding, year_month_day today)
{
    return withRate(results(holding), std::span(&holding, 1), today);
}

HoldingReturns portfolioReturns(std::span<const HoldingHistory> holdings, year_month_day today)
{
    HoldingReturns total;
    total.unrealised = 0.0;
    for (const HoldingHistory &h : holdings) {
        const HoldingReturns one = results(h);
        total.realised += one.realised;
        if (total.unrealised && one.unrealised)
            *total.unrealised += *one.unrealised;
        else
            total.unrealised.reset();
    }
    return withRate(total, holdings, today);
}

std::string xirrText(const HoldingReturns &returns)
{
    if (returns.issue == ReturnIssue::NoDates)
        return NoXirrWithoutDates;
    if (!returns.xirr)
        return "N/A";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", *returns.xirr * 100);
    return text;
}
