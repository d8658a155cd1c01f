#include "core/portfolio/profitcalculator.h"

#include "core/net/displayformat.h"
#include "core/portfolio/rounding.h"

namespace {
// One side's charges for q shares at price p: brokerage and its tax rounded per share, the
// transaction tax rounded on the whole trade, other charges not rounded.
double charges(const SideRates &r, double q, double p)
{
    const double perShare = roundHalfAway(p * r.brokerage * 0.01, 4) +
                            roundHalfAway(p * r.serviceTax * r.brokerage * 0.0001, 4) +
                            p * r.others * 0.01;
    return perShare * q + roundHalfAway(q * p * r.transactionTax * 0.01, 2);
}
} // namespace

double ProfitCalculator::buyCharges(long shares, double averageCost) const
{
    return charges(m_rates.buy, double(shares), averageCost);
}

std::string ProfitCalculator::sellingPriceFor(long shares, double averageCost, double gain) const
{
    const double q = double(shares);
    const SideRates &s = m_rates.sell;
    const double numerator = q * averageCost + gain + buyCharges(shares, averageCost);
    const double denominator =
        q * (1 - (s.brokerage * (1 + s.serviceTax * 0.01) + s.others + s.transactionTax) * 0.01);
    if (denominator == 0)
        return "0.00";
    return formatDisplay(numerator / denominator);
}

std::string ProfitCalculator::profitLossAt(long shares, double averageCost,
                                           double sellingPrice) const
{
    const double q = double(shares);
    const double all = buyCharges(shares, averageCost) + charges(m_rates.sell, q, sellingPrice);
    return formatDisplay((sellingPrice - averageCost) * q - all);
}
