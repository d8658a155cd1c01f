#pragma once

#include <optional>
#include <string>
#include <vector>

// One row of data/companylist.csv (COMPNAME,NSENAME,BSENAME); either symbol may be empty.
struct CompanyRow
{
    std::string name;
    std::string nseSymbol;
    std::string bseSymbol;
};

// Reads the whole list in one go: it is read at every start, and tests start the simulator
// many times. Nothing when the file cannot be read.
std::optional<std::vector<CompanyRow>> loadCompanyList(const std::string &path);

// Splits the text of such a file; the header line is skipped.
std::vector<CompanyRow> parseCompanyList(std::string_view text);
