#include "core/gains/holdingperiod.h"

using namespace std::chrono;

year_month_day twelveMonthsAfter(year_month_day bought)
{
    const year_month_day anniversary = bought + years{1};
    if (anniversary.ok())
        return anniversary;
    // Only 29 February has no anniversary; a calendar month ends on its own last day.
    return year_month_day{anniversary.year() / anniversary.month() / last};
}

bool isLongTerm(year_month_day bought, year_month_day sold)
{
    return sold > twelveMonthsAfter(bought);
}
