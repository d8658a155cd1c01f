#pragma once

#include "core/watch/datafiles.h"

#include <string>
#include <string_view>

// What every "Export to CSV" shares: the file written in one piece (an existing file of the
// name replaced), its folder made when missing, and the message the user is shown.
namespace exportfile {
inline constexpr const char *OpenFailed = "Problem occured in Opening CSV File";
inline constexpr const char *WriteFailed = "SORRY!!!Not able to write into the CSV file";

// Writes folder/fileName; gives exported + the path, or what went wrong.
std::string write(DataFileSystem &files, const std::string &folder, const std::string &fileName,
                  std::string_view content, const char *exported);

// A comma inside a field would split it.
std::string withoutCommas(std::string text);
} // namespace exportfile
