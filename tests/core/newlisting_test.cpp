#include "core/store/newlisting.h"
#include "support/memorycompanylist.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

// The dialog is driven against the simulator (a passed and a failed symbol, a lone BSE
// symbol, a failing service, the lookup page, storing a new BSE symbol); these are the cases
// a simulator never answers with.
namespace {

// Reply lines as the quote service writes them for a known and an unknown symbol.
const std::string Known =
    "\"INFY.NS\",1520.35,\"12/4/2026\",\"11:00am\",+12.40,1508.00,1525.00,1502.10,4512331";
const std::string Unknown = "\"NOSUCH.BO\",0.00,\"N/A\",\"N/A\",N/A,N/A,N/A,N/A,N/A";

class NewListingTest : public ::testing::Test
{
protected:
    // Validates and answers with the given lines.
    void validate(std::string_view nse, std::string_view bse, const std::vector<std::string> &lines)
    {
        ASSERT_TRUE(listing.startValidation(nse, bse).has_value());
        EXPECT_FALSE(listing.addEnabled()) << "no Add while the answer is out";
        listing.finishValidation(lines);
        EXPECT_FALSE(listing.validating());
    }
    RecordingMessenger messenger;
    NewListing listing{messenger};
    MemoryCompanyList companies;
};

TEST_F(NewListingTest, RequestsAndLookupPathsEncodeWhatWasTyped)
{
    EXPECT_EQ(listing.startValidation("", " 500325 "), "/d/quotes.csv?s=500325.BO&f=sl1d1t1c1ohgv");
    EXPECT_EQ(listing.startValidation("M&M", ""), "/d/quotes.csv?s=M%26M.NS&f=sl1d1t1c1ohgv");
    EXPECT_EQ(listing.lookupPath("Dr. Reddy's"), "/lookup?s=Dr.%20Reddy%27s");
}

TEST_F(NewListingTest, AMissingOrEmptyLineFailsAndAnEmptyFormTakesAddAway)
{
    validate("INFY", "500209", {Known}); // the reply ends before the BSE line
    EXPECT_EQ(listing.nseResult(), NewListing::NsePassed);
    EXPECT_EQ(listing.bseResult(), NewListing::BseFailed);
    EXPECT_TRUE(listing.nseValidated());
    EXPECT_FALSE(listing.bseValidated());
    validate("INFY", "", {""});
    EXPECT_EQ(listing.nseResult(), NewListing::NseFailed);
    EXPECT_FALSE(listing.addEnabled());

    validate("INFY", "", {Known});
    ASSERT_TRUE(listing.addEnabled());
    EXPECT_FALSE(listing.startValidation(" ", "").has_value());
    EXPECT_FALSE(listing.addEnabled());
}

TEST_F(NewListingTest, OnlyValidatedSymbolsTheListLacksAreStored)
{
    companies.rows = {{"Infosys Limited", "INFY", "500209"}};
    listing.accept("Infosys Limited");
    validate("INFY", "500209", {Known, Known});
    EXPECT_EQ(listing.store(companies).value(), false) << "both known: nothing to add";
    validate("NEWCO", "500209", {Unknown, Known});
    EXPECT_EQ(listing.store(companies).value(), false) << "a row without a symbol is never written";
    EXPECT_EQ(companies.rows.size(), 1u);

    companies.failure = "database is locked";
    EXPECT_EQ(listing.store(companies).error(), "database is locked");
}

} // namespace
