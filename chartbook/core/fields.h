#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The pieces the bridge's texts are made of. These texts come from another program, so they
// are read strictly: a piece that is not exactly what it should be makes the whole text
// malformed, rather than a guess that stores a wrong bar.
namespace fields {

// Pieces between separators, blanks and line ends around each piece removed.
std::vector<std::string_view> split(std::string_view text, char separator);

// A price: digits with at most one decimal point, no sign, no exponent, and within the
// range of a double.
std::optional<double> price(std::string_view text);
// A whole number, optionally negative.
std::optional<std::int64_t> integer(std::string_view text);
// A stock name: 1 to 40 printable characters, none of them a blank, "," or "*".
bool isSymbol(std::string_view text);

} // namespace fields
