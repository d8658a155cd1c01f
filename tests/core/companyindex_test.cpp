#include "core/store/companyindex.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> names(const std::vector<CompanyRow> &rows)
{
    std::vector<std::string> out;
    for (const CompanyRow &row : rows)
        out.push_back(row.name);
    return out;
}
} // namespace

// The index must find exactly what the database's LIKE finds, in the database's order; what
// the database itself finds is checked against the table in the record-set tests.
TEST(CompanyIndex, MatchesAsTheDatabaseDoesAndKeepsItsOrder)
{
    const CompanyIndex index({{"ABB India Limited", "ABB", "500002"},
                              {"Bank of India", "BANKINDIA", "532149"},
                              {"indian bank", "INDIANB", "532814"},
                              {"Indo Count Industries Limited", "ICIL", "521016"},
                              {"Société Générale India", "SGI", ""},
                              {"Yes!Go 100% Limited", "YG", ""}});
    EXPECT_EQ(names(index.find("INDIA")),
              (std::vector<std::string>{"ABB India Limited", "Bank of India", "indian bank",
                                        "Société Générale India"}))
        << "ASCII case is ignored and the order kept";
    EXPECT_EQ(names(index.find("indIa")).size(), 4u);
    EXPECT_EQ(names(index.find("ind")).size(), 5u)
        << "a name that holds the text twice is found once";
    // Beyond ASCII the database compares as it is, as LIKE does without ICU.
    EXPECT_EQ(names(index.find("société")), std::vector<std::string>{"Société Générale India"});
    EXPECT_TRUE(index.find("SOCIÉTÉ").empty());
    EXPECT_EQ(names(index.find("0% l")), std::vector<std::string>{"Yes!Go 100% Limited"});
}

TEST(CompanyIndex, AMatchNeverRunsFromOneNameIntoTheNext)
{
    const CompanyIndex index({{"Alpha Tea", "AT", ""}, {"Berry Limited", "BL", ""}});
    EXPECT_TRUE(index.find("teaberry").empty());
    EXPECT_TRUE(index.find(std::string_view("tea\0berry", 9)).empty());
    EXPECT_TRUE(index.find(std::string_view("a\0", 2)).empty());
    EXPECT_EQ(index.find("Y LIMITED").size(), 1u);
    EXPECT_EQ(index.find("berry limited").size(), 1u) << "a match that ends with its name";
    EXPECT_TRUE(CompanyIndex().find("tea").empty());
    // Texts shorter than three are scanned for, and keep to one name as well.
    EXPECT_TRUE(index.find("ab").empty());
    EXPECT_EQ(names(index.find("Ea")), std::vector<std::string>{"Alpha Tea"});
    EXPECT_EQ(index.find("e").size(), 2u);
}
