#include "core/gains/grandfathering.h"

#include "core/gains/holdingperiod.h"

#include <algorithm>
#include <cmath>

using namespace std::chrono;

bool needsJan2018Value(const LotSale &sale)
{
    if (!sale.bought || *sale.bought >= GrandfatheringCutOff)
        return false;
    // Short-term gains and long-term gains exempt before April 2018 take the actual cost.
    return isLongTerm(*sale.bought, sale.sold) && sale.sold >= year{2018} / April / 1;
}

std::optional<double> costForGain(const LotSale &sale, const Jan2018Values &values)
{
    if (!needsJan2018Value(sale))
        return sale.cost;
    const auto found = values.find(sale.symbol);
    if (found == values.end() || !std::isfinite(found->second) || found->second <= 0)
        return std::nullopt;
    // The sale price here is the full consideration, before the selling charges.
    const double fairValue = found->second * double(sale.quantity);
    const double salePrice = sale.saleValue + sale.saleCharges;
    return std::max(sale.cost, std::min(fairValue, salePrice));
}
