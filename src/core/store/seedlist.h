#pragma once

#include "core/store/storeresult.h"

#include <string>
#include <string_view>
#include <vector>

using SeedRow = std::vector<std::string>;

// Reads a shipped CSV list (no quoting: the names hold no commas). The first line must be the
// header; every other non-blank line must hold exactly as many fields as the header names.
// name is the file's name, for the error texts.
StoreResult<std::vector<SeedRow>> readSeedList(std::string_view text, std::string_view name,
                                               std::string_view header);
