#include "chartbars.h"

#include <algorithm>

bool ChartSeries::hasVolume() const
{
    return std::any_of(bars.begin() + static_cast<std::ptrdiff_t>(firstShown), bars.end(),
                       [](const ChartBar &b) { return b.volume > 0; });
}
