#pragma once

#include "core/common/exportfile.h"
#include "core/store/storerows.h"
#include "core/toppers/toppersrow.h"

#include <string>
#include <vector>

// "Export to CSV" of the list as shown: the cell texts without their commas, with the change
// and the last close worked back from the shown price and percentage.
namespace toppersexport {
inline constexpr const char *Header =
    "CompanyName,Last Close,Current Price,Change,% Change,Volume,Turnover,Open,High,Low";
inline constexpr const char *NoData =
    "There is no data to export, Please first \"Get Latest Data\"";
inline constexpr const char *Exported =
    "Toppers present displayed data is exported Successfully at \n";

std::string content(const std::vector<ToppersRow> &rows);
// "NSE_" or "BSE_" + name + ".csv" in the folder, which is made when missing; the whole file
// is replaced at once. Gives the message to show.
std::string write(DataFileSystem &files, const std::string &folder, Exchange exchange,
                  const std::string &name, const std::vector<ToppersRow> &rows);
} // namespace toppersexport
