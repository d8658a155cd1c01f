#include "core/portfolio/rounding.h"

#include <cmath>

double roundHalfAway(double x, int decimals)
{
    if (x == 0 || std::isnan(x))
        return x;
    const double sign = x < 0 ? -1.0 : 1.0;
    double t = std::fabs(x * std::pow(10.0, decimals));
    const double whole = std::floor(t);
    t = t - whole >= 0.5 ? whole + 1 : whole;
    // Scaled back by the negative power, as the charges have always been, not divided.
    return t * std::pow(10.0, -decimals) * sign;
}
