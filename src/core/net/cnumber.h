#pragma once

#include <cstdint>
#include <string_view>

// Number reading with the C library's rules: leading white space skipped, the longest valid
// prefix taken, 0 when there is none. The conversions always use the "C" locale, so a
// program whose locale writes decimal commas still reads "1234.50" as 1234.5.
double cStrToDouble(std::string_view text);

// strtol with a 64-bit long: out-of-range values saturate.
std::int64_t cStrToLong64(std::string_view text);
