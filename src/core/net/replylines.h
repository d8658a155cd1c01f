#pragma once

#include <string>
#include <string_view>
#include <vector>

// A reply body as text lines, each stripped of blanks at both ends.
std::vector<std::string> replyLines(std::string_view body);
