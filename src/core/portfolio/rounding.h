#pragma once

// Rounds half away from zero to the given number of decimals: the charges' rounding. 0 and
// NaN come back as they are.
double roundHalfAway(double x, int decimals);
