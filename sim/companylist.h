#pragma once

#include <optional>
#include <string>
#include <vector>

// One row of data/companylist.csv (COMPNAME,NSENAME,BSENAME); either symbol may be empty.
struct ListedCompany
{
    std::string name;
    std::string nseSymbol;
    std::string bseSymbol;
};

// Reads the whole list in one go: it is read at every start, and tests start the simulator
// many times. Nothing when the file cannot be read.
std::optional<std::vector<ListedCompany>> loadCompanyList(const std::string &path);

// Splits the text of such a file; the header line is skipped.
std::vector<ListedCompany> parseCompanyList(std::string_view text);
