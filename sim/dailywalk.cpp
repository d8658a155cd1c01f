#include "dailywalk.h"

#include "noise.h"

#include <algorithm>
#include <cmath>

namespace {
enum Tag : std::uint64_t { Gap = 1, HighWick, LowWick, Volume, Intraday, Listing };

std::uint64_t keyed(std::uint64_t key, Tag tag, std::int64_t index)
{
    return noise::combine(noise::combine(key, tag), static_cast<std::uint64_t>(index));
}
} // namespace

DailyWalk::DailyWalk(const Instrument &instrument, std::uint64_t seed)
    : m_instrument(instrument), m_ownKey(noise::combine(seed, instrument.walkKey)),
      m_marketKey(noise::combine(seed, noise::hashText("^NSEI"))),
      m_listingKey(noise::combine(seed, noise::hashText(instrument.symbol)))
{
}

std::vector<RawDay> DailyWalk::days(std::int64_t first, int count) const
{
    // One extra day in front gives the first day its previous close.
    const int n = count + 1;
    std::vector<double> walk(static_cast<std::size_t>(n), 0.0);
    const double w = std::clamp(m_instrument.marketWeight, 0.0, 1.0);
    if (w > 0)
        noise::addFractalWalk(m_marketKey, first - 1, n, w, walk.data());
    if (w < 1)
        noise::addFractalWalk(m_ownKey, first - 1, n, std::sqrt(1 - w * w), walk.data());

    const double sigma = m_instrument.dailyVolatility;
    std::vector<double> closes(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const std::int64_t index = first - 1 + k;
        double close = m_instrument.level * std::exp(sigma * walk[static_cast<std::size_t>(k)]);
        // The second listing of a company trades a hair away from the first.
        if (m_instrument.secondListing)
            close *= std::exp(0.0004 * noise::normal(keyed(m_listingKey, Listing, index)));
        closes[static_cast<std::size_t>(k)] = close;
    }

    std::vector<RawDay> out(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const std::int64_t index = first + k;
        RawDay &day = out[static_cast<std::size_t>(k)];
        day.previousClose = closes[static_cast<std::size_t>(k)];
        day.close = closes[static_cast<std::size_t>(k) + 1];
        day.open =
            day.previousClose * std::exp(0.25 * sigma * noise::normal(keyed(m_ownKey, Gap, index)));
        const double top = std::max(day.open, day.close);
        const double bottom = std::min(day.open, day.close);
        day.high =
            top * std::exp(sigma * (0.1 + 0.4 * noise::uniform(keyed(m_ownKey, HighWick, index))));
        day.low = bottom *
                  std::exp(-sigma * (0.1 + 0.4 * noise::uniform(keyed(m_ownKey, LowWick, index))));
        // Big moves draw more trade.
        const double move = std::fabs(std::log(day.close / day.previousClose));
        day.volume = std::floor(m_instrument.dailyVolume *
                                std::exp(0.35 * noise::normal(keyed(m_listingKey, Volume, index))) *
                                (1 + 8 * move));
    }
    return out;
}

std::uint64_t DailyWalk::intradayKey(std::int64_t index) const
{
    return keyed(m_ownKey, Intraday, index);
}
