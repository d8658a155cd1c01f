#pragma once

#include "core/common/datafiles.h"
#include "core/gains/gainsreport.h"

#include <chrono>
#include <string>

// "Export Gains": the gains report of one financial year as CSV, amounts in plain "%.2f".
namespace gainsexport {
inline constexpr const char *BeforeSurchargeAndCess =
    "Tax is before surcharge and cess, which depend on the income of the person";
inline constexpr const char *Exported = "Gains report is exported Successfully at \n";

std::string content(const GainsReport &report);
// Writes folder/name.csv in one piece, making the folder when missing, and gives the message
// to show: Exported and the path, or what went wrong (a name that is no plain file name
// writes nothing).
std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const GainsReport &report);
} // namespace gainsexport
