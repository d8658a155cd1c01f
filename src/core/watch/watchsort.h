#pragma once

#include "core/watch/watchrow.h"

#include <cstddef>
#include <optional>
#include <vector>

// How a header click orders the rows: the name and exchange by text without regard to case,
// prices by their difference in paise (values closer than 0.01 are equal), the volume by the
// integer difference. Negative when a comes first in ascending order.
std::optional<int> watchSortKey(const WatchedStock &a, const WatchedStock &b, int column);

// The new order of the rows (indices into rows), or nothing for a column without a key.
// Rows that compare equal keep their order.
std::optional<std::vector<std::size_t>> watchSortOrder(const std::vector<WatchedStock> &rows,
                                                       int column, bool ascending);
