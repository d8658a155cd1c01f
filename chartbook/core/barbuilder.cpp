#include "barbuilder.h"

#include <algorithm>

Bar feedBar(const std::optional<Bar> &running, const FeedRecord &record, std::int64_t minute)
{
    const std::int64_t traded = std::max<std::int64_t>(record.volume, 0);
    if (!running) {
        const double open = record.previous > 0 ? record.previous : record.last;
        return {minute,      open,  std::max(open, record.last), std::min(open, record.last),
                record.last, traded};
    }
    Bar bar = *running;
    bar.high = std::max(bar.high, record.last);
    bar.low = std::min(bar.low, record.last);
    bar.close = record.last;
    bar.volume += traded;
    return bar;
}
