#pragma once

#include "bar.h"

#include <vector>

// The studies a chart draws, over a whole series with its warm-up bars. A value that is not
// defined yet (too few bars before it) is NaN, and drawing skips it.
namespace indicators {

using Line = std::vector<double>;

Line closes(const std::vector<Bar> &bars);
Line volumes(const std::vector<Bar> &bars);

Line sma(const Line &values, int n);
// Seeded with the simple average of its first n defined values.
Line ema(const Line &values, int n);

struct Bands
{
    Line middle, upper, lower;
};
Bands bollinger(const Line &values, int n, double width);

// Wilder's stop and reverse, acceleration 0.02 up to 0.2.
Line parabolicSar(const std::vector<Bar> &bars);

struct Macd
{
    Line macd, signal, histogram;
};
Macd macd(const Line &values, int slow, int fast, int signal);

Line rsi(const Line &values, int n);
Line mfi(const std::vector<Bar> &bars, int n);
Line roc(const Line &values, int n);

// %K over n bars smoothed over smoothK bars (1: the fast stochastic), %D its smoothD average.
struct Stochastic
{
    Line k, d;
};
Stochastic stochastic(const std::vector<Bar> &bars, int n, int smoothK, int smoothD);
Line williamsR(const std::vector<Bar> &bars, int n);

} // namespace indicators
