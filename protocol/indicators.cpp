#include "indicators.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace indicators {
namespace {
constexpr double None = std::numeric_limits<double>::quiet_NaN();

// Highest high and lowest low of the n bars ending at k.
std::pair<double, double> extremes(const std::vector<Bar> &bars, std::size_t k, int n)
{
    double high = bars[k].high, low = bars[k].low;
    for (std::size_t j = k + 1 - static_cast<std::size_t>(n); j < k; ++j) {
        high = std::max(high, bars[j].high);
        low = std::min(low, bars[j].low);
    }
    return {low, high};
}
} // namespace

Line closes(const std::vector<Bar> &bars)
{
    Line out(bars.size());
    std::transform(bars.begin(), bars.end(), out.begin(), [](const Bar &b) { return b.close; });
    return out;
}

Line volumes(const std::vector<Bar> &bars)
{
    Line out(bars.size());
    std::transform(bars.begin(), bars.end(), out.begin(),
                   [](const Bar &b) { return static_cast<double>(b.volume); });
    return out;
}

Line sma(const Line &values, int n)
{
    Line out(values.size(), None);
    double sum = 0;
    int defined = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (std::isnan(values[k])) {
            sum = 0;
            defined = 0;
            continue;
        }
        sum += values[k];
        if (++defined > n)
            sum -= values[k - static_cast<std::size_t>(n)];
        if (defined >= n)
            out[k] = sum / n;
    }
    return out;
}

Line ema(const Line &values, int n)
{
    Line out(values.size(), None);
    const double alpha = 2.0 / (n + 1);
    double sum = 0, last = None;
    int defined = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (std::isnan(values[k]))
            continue;
        if (++defined < n) {
            sum += values[k];
            continue;
        }
        last = defined == n ? (sum + values[k]) / n : last + alpha * (values[k] - last);
        out[k] = last;
    }
    return out;
}

Bands bollinger(const Line &values, int n, double width)
{
    Bands b{sma(values, n), Line(values.size(), None), Line(values.size(), None)};
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (std::isnan(b.middle[k]))
            continue;
        double squares = 0;
        for (std::size_t j = k + 1 - static_cast<std::size_t>(n); j <= k; ++j)
            squares += (values[j] - b.middle[k]) * (values[j] - b.middle[k]);
        const double deviation = std::sqrt(squares / n);
        b.upper[k] = b.middle[k] + width * deviation;
        b.lower[k] = b.middle[k] - width * deviation;
    }
    return b;
}

Line parabolicSar(const std::vector<Bar> &bars)
{
    Line out(bars.size(), None);
    if (bars.size() < 2)
        return out;
    bool rising = bars[1].close >= bars[0].close;
    double sar = rising ? bars[0].low : bars[0].high;
    double extreme = rising ? bars[0].high : bars[0].low;
    double step = 0.02;
    for (std::size_t k = 1; k < bars.size(); ++k) {
        sar += step * (extreme - sar);
        // The stop never moves into the last two bars' range.
        const std::size_t before = k >= 2 ? k - 2 : k - 1;
        if (rising)
            sar = std::min({sar, bars[k - 1].low, bars[before].low});
        else
            sar = std::max({sar, bars[k - 1].high, bars[before].high});
        if (rising ? bars[k].low < sar : bars[k].high > sar) {
            rising = !rising;
            sar = extreme;
            extreme = rising ? bars[k].high : bars[k].low;
            step = 0.02;
        } else if (rising ? bars[k].high > extreme : bars[k].low < extreme) {
            extreme = rising ? bars[k].high : bars[k].low;
            step = std::min(step + 0.02, 0.2);
        }
        out[k] = sar;
    }
    return out;
}

Macd macd(const Line &values, int slow, int fast, int signal)
{
    const Line slowLine = ema(values, slow);
    const Line fastLine = ema(values, fast);
    Macd m{Line(values.size(), None), {}, Line(values.size(), None)};
    for (std::size_t k = 0; k < values.size(); ++k)
        m.macd[k] = fastLine[k] - slowLine[k];
    m.signal = ema(m.macd, signal);
    for (std::size_t k = 0; k < values.size(); ++k)
        m.histogram[k] = m.macd[k] - m.signal[k];
    return m;
}

Line rsi(const Line &values, int n)
{
    Line out(values.size(), None);
    double gain = 0, loss = 0;
    for (std::size_t k = 1; k < values.size(); ++k) {
        const double change = values[k] - values[k - 1];
        const double up = std::max(change, 0.0), down = std::max(-change, 0.0);
        if (k <= static_cast<std::size_t>(n)) {
            gain += up / n;
            loss += down / n;
            if (k < static_cast<std::size_t>(n))
                continue;
        } else { // Wilder's smoothing
            gain = (gain * (n - 1) + up) / n;
            loss = (loss * (n - 1) + down) / n;
        }
        out[k] = gain + loss == 0 ? 50 : 100 * gain / (gain + loss);
    }
    return out;
}

Line mfi(const std::vector<Bar> &bars, int n)
{
    Line out(bars.size(), None);
    const auto typical = [&](std::size_t k) {
        return (bars[k].high + bars[k].low + bars[k].close) / 3;
    };
    for (std::size_t k = static_cast<std::size_t>(n); k < bars.size(); ++k) {
        double rising = 0, falling = 0;
        for (std::size_t j = k + 1 - static_cast<std::size_t>(n); j <= k; ++j) {
            const double flow = typical(j) * static_cast<double>(bars[j].volume);
            (typical(j) >= typical(j - 1) ? rising : falling) += flow;
        }
        if (rising + falling > 0)
            out[k] = 100 * rising / (rising + falling);
    }
    return out;
}

Line roc(const Line &values, int n)
{
    Line out(values.size(), None);
    for (std::size_t k = static_cast<std::size_t>(n); k < values.size(); ++k) {
        const double before = values[k - static_cast<std::size_t>(n)];
        if (before != 0)
            out[k] = (values[k] / before - 1) * 100;
    }
    return out;
}

Stochastic stochastic(const std::vector<Bar> &bars, int n, int smoothK, int smoothD)
{
    Line raw(bars.size(), None);
    for (std::size_t k = static_cast<std::size_t>(n) - 1; k < bars.size(); ++k) {
        const auto [low, high] = extremes(bars, k, n);
        raw[k] = high > low ? 100 * (bars[k].close - low) / (high - low) : 50;
    }
    Stochastic s;
    s.k = smoothK > 1 ? sma(raw, smoothK) : raw;
    s.d = sma(s.k, smoothD);
    return s;
}

Line williamsR(const std::vector<Bar> &bars, int n)
{
    Line out(bars.size(), None);
    for (std::size_t k = static_cast<std::size_t>(n) - 1; k < bars.size(); ++k) {
        const auto [low, high] = extremes(bars, k, n);
        out[k] = high > low ? -100 * (high - bars[k].close) / (high - low) : -50;
    }
    return out;
}

} // namespace indicators
