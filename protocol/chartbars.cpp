#include "chartbars.h"

#include <algorithm>

bool ChartSeries::hasVolume() const
{
    return std::any_of(bars.begin() + static_cast<std::ptrdiff_t>(firstShown), bars.end(),
                       [](const Bar &b) { return b.volume > 0; });
}

void ChartSeries::showDailyFrom(std::int64_t day)
{
    firstShown = 0;
    while (firstShown < bars.size() && bars[firstShown].day() < day)
        ++firstShown;
    barSlots.resize(bars.size());
    for (std::size_t k = 0; k < bars.size(); ++k)
        barSlots[k] = static_cast<int>(k) - static_cast<int>(firstShown);
    slotCount = static_cast<int>(shownCount());
}
