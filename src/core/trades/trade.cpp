#include "core/trades/trade.h"

#include <tuple>

bool happenedBefore(const Trade &a, const Trade &b)
{
    return std::tie(a.date, a.time, a.id) < std::tie(b.date, b.time, b.id);
}
