#include "core/toppers/toppersfilters.h"

#include "core/common/messenger.h"
#include "core/controls/fieldcheck.h"

#include <charconv>

bool ToppersFilters::passes(const QuoteRecord &q) const
{
    // A row is listed only with a readable price, whatever the limits.
    if (!q.hasPrice())
        return false;
    if (q.volume < volumeMin || q.volume > volumeMax)
        return false;
    if (q.last < priceMin || q.last > priceMax)
        return false;
    // The previous close is the base: 110 up 10 is 10 %. No close to compare with is no
    // percentage that any limit takes.
    const double percent = static_cast<double>(q.change) * 100.0 / (q.last - q.change);
    if (!(percent >= gainMin && percent <= gainMax))
        return false;
    return q.last != 0;
}

namespace toppersfilter {
namespace {
struct Range
{
    double low;
    double high;
    bool integer;
};
constexpr std::array<Range, Count> Ranges{{{-99, 300, false},
                                           {-100, 299, false},
                                           {1, 20000, false},
                                           {0, 19999, false},
                                           {0, 1000000000, true},
                                           {0, 1000000000, true}}};

// The shortest text that reads back as the same float, whatever the locale.
std::string shortest(float value)
{
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
} // namespace

int read(const Texts &texts, ToppersFilters &f, Messenger &messenger)
{
    float *const numbers[] = {&f.gainMax, &f.gainMin, &f.priceMax, &f.priceMin};
    std::int32_t *const integers[] = {&f.volumeMax, &f.volumeMin};
    for (int i = 0; i < Count; ++i) {
        const Range &r = Ranges[static_cast<std::size_t>(i)];
        const std::string &text = texts[static_cast<std::size_t>(i)];
        std::string message;
        if (r.integer) {
            const FieldValue<long> v =
                takeInteger(text, static_cast<long>(r.low), static_cast<long>(r.high));
            if (v.value)
                *integers[i - VolumeMax] = static_cast<std::int32_t>(*v.value);
            message = v.message;
        } else {
            const FieldValue<double> v = takeNumber(text, r.low, r.high);
            if (v.value)
                *numbers[i] = static_cast<float>(*v.value);
            message = v.message;
        }
        if (!message.empty()) {
            messenger.inform(message);
            return i;
        }
    }
    return Count;
}

Texts texts(const ToppersFilters &f)
{
    return {shortest(f.gainMax),  shortest(f.gainMin),         shortest(f.priceMax),
            shortest(f.priceMin), std::to_string(f.volumeMax), std::to_string(f.volumeMin)};
}
} // namespace toppersfilter
