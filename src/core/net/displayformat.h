#pragma once

#include <string>

// "%.2f" with Indian digit grouping: the last three digits of the integer part, then groups
// of two (12,34,567.89); a minus sign stays in front and is never followed by a comma.
// Infinities and NaN show as 0.00.
std::string formatDisplay(double value);

// The value as "%.2f" prints it, read back: what a rule that judges the displayed value
// sees. Two prices closer than a paisa can thus be equal, and 0.004 is 0.
double shown(double value);

// Quantities and volumes: the display form without its last three characters (".00").
std::string formatQuantity(double value);

// Change x 100 / (last - change) in double precision, stored single; 0 when the divisor is 0.
float percentChange(double last, float change);
