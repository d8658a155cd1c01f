#include "core/watch/watchsort.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace {
int compareNoCase(const std::string &a, const std::string &b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int paise(double a, double b)
{
    // Truncated toward zero; clamped first, since a cast of an out-of-range double is undefined.
    const double d = (a - b) * 100;
    return std::isnan(d) ? 0 : static_cast<int>(std::clamp(d, -2e9, 2e9));
}

int sign(long long v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}
} // namespace

std::optional<int> watchSortKey(const WatchedStock &a, const WatchedStock &b, int column)
{
    using namespace watchcol;
    switch (column) {
    case Name:
        return compareNoCase(a.entry.companyName, b.entry.companyName);
    case Indx:
        return compareNoCase(a.entry.exchange, b.entry.exchange);
    case Volume:
        return sign(static_cast<long long>(a.quote.volume) - b.quote.volume);
    case Price:
    case Change:
    case Percent:
    case Open:
    case High:
    case Low:
        return paise(watchCellNumber(a, column), watchCellNumber(b, column));
    default:
        return std::nullopt;
    }
}

std::optional<std::vector<std::size_t>> watchSortOrder(const std::vector<WatchedStock> &rows,
                                                       int column, bool ascending)
{
    if (!watchSortKey(WatchedStock{}, WatchedStock{}, column))
        return std::nullopt;
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Insertion sort: at most fifty rows, stable, and safe with a key whose "equal" is not
    // transitive (100.000 = 100.008 = 100.016, yet 100.000 < 100.016).
    for (std::size_t i = 1; i < order.size(); ++i) {
        const std::size_t moving = order[i];
        std::size_t j = i;
        while (j > 0) {
            const int key = *watchSortKey(rows[moving], rows[order[j - 1]], column);
            if (ascending ? key >= 0 : key <= 0)
                break;
            order[j] = order[j - 1];
            --j;
        }
        order[j] = moving;
    }
    return order;
}
