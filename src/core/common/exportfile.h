#pragma once

#include "core/common/datafiles.h"

#include <string>
#include <string_view>

// What every "Export to CSV" shares: the name the user gives, the file written in one piece
// (an existing file of the name replaced), its folder made when missing, and the message the
// user is shown.
namespace exportfile {
inline constexpr const char *OpenFailed = "Problem occured in Opening CSV File";
inline constexpr const char *WriteFailed = "SORRY!!!Not able to write into the CSV file";
inline constexpr int NameMaxLength = 25;
inline constexpr const char *NameMissing = "Please write a name for the CSV file";
inline constexpr const char *NameNotPlain =
    "Please write only a file name, of at most 25 characters: no \"/\" or \"\\\", not \".\" "
    "or \"..\", and no control characters";

// Empty when name is a plain file name that stays in the export folder; else what to tell the
// user. Length counts characters, as the name dialog does.
std::string nameProblem(std::string_view name);

// Writes folder/prefix + name + ".csv"; gives exported + the path, or what went wrong. A name
// with a problem writes nothing.
std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  std::string_view content, const char *exported, std::string_view prefix = {});

// A comma inside a field would split it.
std::string withoutCommas(std::string text);
} // namespace exportfile
