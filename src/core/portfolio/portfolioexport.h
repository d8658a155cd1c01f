#pragma once

#include "core/common/exportfile.h"
#include "core/portfolio/holdingrow.h"

#include <string>

// "Export to CSV" of both lists as last refreshed: a title, then a section per list that has
// rows, with plain "%.2f" amounts and the totals as the panel shows them less their commas.
// Fields are not quoted: a comma in a company name shifts that line.
namespace portfolioexport {
inline constexpr const char *Title = "My PROFILE for Current Stocks in My Hand";
inline constexpr const char *Header = "Stock Name,Index,Quantity,Average CP,Market Price,%Change,"
                                      "Cost Price+Brkrge,You'll get,Net Profit/Loss,Net %P/L";
inline constexpr const char *NoData = "There is no data to export";
inline constexpr const char *Exported =
    "Profile present displayed data is exported Successfully at \n";

std::string content(const HoldingList &delivery, const HoldingList &intraday);
// Writes the file in one piece (an existing file of the name is replaced), creating the
// folder when missing, and gives the message to show.
std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const HoldingList &delivery, const HoldingList &intraday);
} // namespace portfolioexport
