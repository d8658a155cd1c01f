#pragma once

#include <optional>
#include <string_view>

// Numbers of a file read exactly, whatever the machine's locale: digits with at most one
// decimal point, optionally grouped by commas ("1,234.50", "1,23,456.5"). Anything else
// (a sign, spaces inside, an exponent, a comma in the wrong place) is not a number.
std::optional<double> readDecimal(std::string_view text);
// A whole count: as readDecimal, with nothing but zeros after the point.
std::optional<long> readCount(std::string_view text);
