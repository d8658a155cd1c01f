#pragma once

#include "core/common/exportfile.h"
#include "core/watch/watchrow.h"

#include <string>
#include <vector>

// "Export to CSV" of the rows as displayed: a header and ten fields per row, the numbers as
// "%.2f" without grouping, names without commas, Last Close worked out as price minus change
// as both are shown.
namespace watchexport {
inline constexpr const char *Header =
    "Company Name,Index,Last Close,Current Price,Change,% Change,Volume,Open,High,Low";
inline constexpr const char *NoData =
    "There is no data to export, Please first \"Get Latest Data\"";
inline constexpr const char *Exported =
    "WatchList present displayed data is exported Successfully at \n";

std::string content(const std::vector<WatchedStock> &stocks);
// Writes the file in one piece (an existing file of the name is replaced) and gives the
// message to show.
std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const std::vector<WatchedStock> &stocks);
} // namespace watchexport
