#pragma once

#include <string>
#include <string_view>

// Percent-encodes what would break a query value ("&", "#", "+", "%", blanks, controls,
// bytes above 127) and leaves the rest, "^" "=" "," "." "-", as the services expect them.
std::string encodeQueryValue(std::string_view value);

// Full percent-encoding for free text such as a company name (RFC 3986 unreserved kept).
std::string encodeText(std::string_view value);
