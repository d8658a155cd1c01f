#pragma once

#include <cstddef>
#include <string_view>

// The text without blanks (spaces, tabs, line ends) at either end.
std::string_view trimBlanks(std::string_view text);

// Characters, not bytes: a name typed with an accented letter still counts letter by letter.
std::size_t characterCount(std::string_view utf8);
