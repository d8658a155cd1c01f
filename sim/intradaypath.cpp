#include "intradaypath.h"

#include "noise.h"

#include <algorithm>
#include <cmath>

namespace {
// Stretches the parts of a log-price path that lie beyond its end points so that its peak
// lands on logHigh and its trough on logLow; the part between open and close stays as it is.
void fitRange(std::vector<double> &y, double logHigh, double logLow, std::uint64_t key)
{
    const std::size_t n = y.size() - 1;
    const double top = std::max(y.front(), y.back());
    const double bottom = std::min(y.front(), y.back());
    // A path that never rises above its ends gets one minute lifted so there is a peak to
    // stretch, and likewise below; the trough is looked for after the lift, which may have
    // taken the lowest minute.
    const double nudge = 1e-9;
    auto peak = std::max_element(y.begin() + 1, y.end() - 1);
    if (*peak <= top) {
        peak = y.begin() + 1 + static_cast<std::ptrdiff_t>(noise::mix(key) % (n - 1));
        *peak = top + nudge;
    }
    auto trough = std::min_element(y.begin() + 1, y.end() - 1);
    if (*trough >= bottom) {
        trough = y.begin() + 1 + static_cast<std::ptrdiff_t>(noise::mix(key + 1) % (n - 1));
        if (trough == peak)
            trough = trough + 1 == y.end() - 1 ? y.begin() + 1 : trough + 1;
        *trough = bottom - nudge;
    }
    const double up = (logHigh - top) / (*peak - top);
    const double down = (bottom - logLow) / (bottom - *trough);
    for (double &v : y) {
        if (v > top)
            v = top + (v - top) * up;
        else if (v < bottom)
            v = bottom - (bottom - v) * down;
    }
}
} // namespace

IntradayPath buildIntradayPath(const RawDay &day, int minutes, std::uint64_t key,
                               double dailyVolatility)
{
    const std::size_t n = static_cast<std::size_t>(minutes);
    // A Brownian bridge from open to close in log price.
    std::vector<double> y(n + 1, 0.0);
    for (std::size_t k = 1; k <= n; ++k)
        y[k] = y[k - 1] + noise::normal(noise::combine(key, k));
    const double end = y[n];
    const double scale = 0.8 * dailyVolatility / std::sqrt(static_cast<double>(n));
    const double logOpen = std::log(day.open);
    const double logClose = std::log(day.close);
    for (std::size_t k = 0; k <= n; ++k) {
        const double t = static_cast<double>(k) / static_cast<double>(n);
        y[k] = logOpen + t * (logClose - logOpen) + scale * (y[k] - t * end);
    }
    y[0] = logOpen;
    y[n] = logClose;
    fitRange(y, std::log(day.high), std::log(day.low), key);

    IntradayPath path;
    path.price.resize(n + 1);
    for (std::size_t k = 0; k <= n; ++k)
        path.price[k] = std::exp(y[k]);
    // Exact end points and extremes, so that rounding cannot make the day disagree.
    path.price[0] = day.open;
    path.price[n] = day.close;
    *std::max_element(path.price.begin(), path.price.end()) = day.high;
    *std::min_element(path.price.begin(), path.price.end()) = day.low;

    path.barHigh.resize(n);
    path.barLow.resize(n);
    std::vector<double> weight(n + 1, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        const double o = path.price[k], c = path.price[k + 1];
        const std::uint64_t h = noise::combine(key ^ 0x5bd1e995, k);
        const double wick = std::max(o, c) * scale * std::fabs(noise::normal(h));
        path.barHigh[k] = std::min(std::max(o, c) + 0.5 * wick, day.high);
        path.barLow[k] = std::max(std::min(o, c) - 0.5 * wick * noise::uniform(h), day.low);
        // Trade is heavy at the open and the close and thin at midday.
        const double x = (static_cast<double>(k) + 0.5) / static_cast<double>(n) - 0.5;
        weight[k + 1] =
            weight[k] + (0.5 + 6 * x * x) * std::exp(0.5 * noise::normal(noise::mix(h)));
    }
    path.volume.resize(n + 1);
    for (std::size_t k = 0; k <= n; ++k)
        path.volume[k] = std::llround(day.volume * weight[k] / weight[n]);
    return path;
}

IntradayPath::Snapshot IntradayPath::at(int sessionSecond) const
{
    const int n = minutes();
    const int minute = std::clamp(sessionSecond / 60, 0, n);
    Snapshot s;
    s.high = s.low = price.front();
    for (int k = 0; k < minute; ++k) {
        s.high = std::max(s.high, barHigh[static_cast<std::size_t>(k)]);
        s.low = std::min(s.low, barLow[static_cast<std::size_t>(k)]);
    }
    const auto m = static_cast<std::size_t>(minute);
    if (minute == n) {
        s.last = price[m];
        s.volume = volume[m];
        return s;
    }
    const double f = (sessionSecond - minute * 60) / 60.0;
    s.last = price[m] + (price[m + 1] - price[m]) * f;
    s.high = std::max(s.high, s.last);
    s.low = std::min(s.low, s.last);
    s.volume =
        volume[m] + static_cast<std::int64_t>(static_cast<double>(volume[m + 1] - volume[m]) * f);
    return s;
}
