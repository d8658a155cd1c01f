#include "backfilltext.h"

#include "fields.h"

#include <algorithm>
#include <iterator>
#include <map>

bool parseBackfillText(std::string_view text, std::vector<Bar> &bars, std::string &error)
{
    std::map<std::int64_t, Bar> byMinute;
    for (const std::string_view line : fields::split(text, '*')) {
        if (line.empty())
            continue;
        const std::vector<std::string_view> f = fields::split(line, ',');
        const bool shaped = f.size() == 6;
        const auto time = shaped ? fields::integer(f[0]) : std::nullopt;
        const auto close = shaped ? fields::price(f[1]) : std::nullopt;
        const auto high = shaped ? fields::price(f[2]) : std::nullopt;
        const auto low = shaped ? fields::price(f[3]) : std::nullopt;
        const auto open = shaped ? fields::price(f[4]) : std::nullopt;
        const auto volume = shaped ? fields::integer(f[5]) : std::nullopt;
        const bool sane = time && close && high && low && open && volume && *time > 0 &&
                          *volume >= 0 && *low > 0 && *low <= std::min(*open, *close) &&
                          std::max(*open, *close) <= *high;
        if (!sane) {
            error = "malformed bar line \"" + std::string(line) + "\"";
            return false;
        }
        const std::int64_t minute = minuteStart(*time);
        byMinute[minute] = {minute, *open, *high, *low, *close, *volume};
    }
    std::int64_t span = 0;
    for (auto it = byMinute.begin(); it != byMinute.end() && std::next(it) != byMinute.end();
         ++it) {
        const std::int64_t gap = std::next(it)->first - it->first;
        span = span == 0 ? gap : std::min(span, gap);
    }
    // A day of minutes at most: a wider gap is a night or a holiday, not the bars' size.
    const int minutes = span == 0 ? 1 : static_cast<int>(std::min<std::int64_t>(span, 86400) / 60);
    bars.clear();
    for (auto &entry : byMinute) {
        entry.second.minutes = minutes;
        bars.push_back(entry.second);
    }
    return true;
}
