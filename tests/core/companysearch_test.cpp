#include "core/store/companyindex.h"
#include "core/store/companysearch.h"
#include "core/store/newlisting.h"
#include "core/store/watchsearchform.h"
#include "support/memorycompanylist.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
using std::tuple;
using Strings = std::vector<std::string>;
} // namespace

// Exactly what the database's LIKE finds (the record-set tests), in the database's order, and
// never a match that runs from one name into the next.
TEST(CompanyIndex, MatchesAsTheDatabaseDoesWithinOneNameAndKeepsItsOrder)
{
    const CompanyIndex india({{"ABB India Limited", "ABB", "500002"},
                              {"Bank of India", "BANKINDIA", "532149"},
                              {"indian bank", "INDIANB", "532814"},
                              {"Indo Count Industries Limited", "ICIL", "521016"},
                              {"Société Générale India", "SGI", ""}});
    const CompanyIndex tea({{"Alpha Tea", "AT", ""}, {"Berry Limited", "BL", ""}});
    const Strings indian{"ABB India Limited", "Bank of India", "indian bank",
                         "Société Générale India"};
    // Beyond ASCII the database compares as it is, as LIKE does without ICU; texts shorter
    // than three are scanned for, and keep to one name as well.
    const std::tuple<const CompanyIndex &, std::string_view, Strings> cases[] = {
        {india, "INDIA", indian},
        {india,
         "ind",
         {indian[0], indian[1], indian[2], "Indo Count Industries Limited", indian[3]}},
        {india, "société", {"Société Générale India"}},
        {india, "SOCIÉTÉ", {}},
        {tea, std::string_view("a\0", 2), {}},
        {tea, "ab", {}},
        {tea, "e", {"Alpha Tea", "Berry Limited"}},
    };
    for (const auto &[index, text, found] : cases) {
        Strings names;
        for (const CompanyRow &row : index.find(text))
            names.push_back(row.name);
        EXPECT_EQ(names, found) << text;
    }
    EXPECT_TRUE(CompanyIndex().find("tea").empty());
}

// Short texts never reach the database, and one empties the list; only a search asked for
// says the text is short. The watch search's refusals keep its dialog open.
TEST(CompanySearch, ShortTextsNeverReachTheDatabaseAndNewListingsAreValidatedAndStored)
{
    MemoryCompanyList store;
    store.rows = {{"Tata Steel Limited", "TATASTEEL", "500470"},
                  {"Tata Elxsi Limited", "TATAELXSI", "500408"},
                  {"Tatva Chintan Pharma Chem Limited", "TATVA", ""},
                  {"Vintage Tata Coffee Limited", "", "532890"}};
    RecordingMessenger messenger;
    CompanySearch search{store, messenger};
    WatchSearchForm form{store, messenger};
    form.search().search("tata", Exchange::Nse);
    const std::tuple<bool, double, double, const char *> cases[] = {
        {false, 0, 1000000.5, WatchSearchForm::LimitRangeMessage},
        {false, -1, 0, WatchSearchForm::LimitRangeMessage},
        {true, 0, 10, WatchSearchForm::ZeroLimitMessage},
        {true, 10, 10, WatchSearchForm::LimitOrderMessage}};
    for (const auto &[alert, lower, upper, message] : cases) {
        form.setAlert(alert);
        EXPECT_FALSE(form.accept(0, lower, upper).has_value()) << message;
        EXPECT_EQ(messenger.shown.back(), message);
    }

    messenger.shown.clear();
    search.searchAsTyped("tat", Exchange::Nse);
    EXPECT_EQ(search.names().size(), 3u);
    search.searchAsTyped("ta", Exchange::Nse);
    EXPECT_TRUE(search.rows().empty() && messenger.shown.empty())
        << "a shortened text typed empties the list without a word";
    search.search("ta", Exchange::Nse);
    search.searchAsTyped("zzz", Exchange::Nse);
    search.exchangeChosen("", Exchange::Bse); // no text: nothing to search, nothing said
    EXPECT_EQ(store.queries, 3);
    EXPECT_EQ(messenger.shown,
              (Strings{CompanySearch::TooShortMessage, CompanySearch::NoMatchMessage}))
        << "only a short text typed goes without a word";

    search.search("coffee", Exchange::Bse);
    ASSERT_NE(search.rowAt(0), nullptr);
    EXPECT_EQ(search.rowAt(0)->symbol(search.exchange()), "532890");
    EXPECT_EQ(tuple(search.rowAt(1), search.rowAt(-1)), tuple(nullptr, nullptr));
    store.failure = "near \"s\": syntax error";
    search.search("tata", Exchange::Nse);
    EXPECT_EQ(messenger.shown.back(), store.failure);

    // The new listing cases a simulator never answers with: odd symbols, a reply short of a
    // line or with an empty one, an empty form, and a listing that has nothing to add.
    const std::string known =
        "\"INFY.NS\",1520.35,\"12/4/2026\",\"11:00am\",+12.40,1508.00,1525.00,1502.10,4512331";
    const std::string unknown = "\"NOSUCH.BO\",0.00,\"N/A\",\"N/A\",N/A,N/A,N/A,N/A,N/A";
    NewListing listing{messenger};
    const auto validate = [&](std::string_view nse, std::string_view bse, const Strings &lines) {
        ASSERT_TRUE(listing.startValidation(nse, bse).has_value());
        EXPECT_FALSE(listing.addEnabled()) << "no Add while the answer is out";
        listing.finishValidation(lines);
        EXPECT_FALSE(listing.validating());
    };
    EXPECT_EQ(listing.startValidation("", " 500325 "), "/d/quotes.csv?s=500325.BO&f=sl1d1t1c1ohgv");
    EXPECT_EQ(listing.startValidation("M&M", ""), "/d/quotes.csv?s=M%26M.NS&f=sl1d1t1c1ohgv");
    EXPECT_EQ(listing.lookupPath("Dr. Reddy's"), "/lookup?s=Dr.%20Reddy%27s");

    validate("INFY", "500209", {known}); // the reply ends before the BSE line
    EXPECT_EQ(std::tuple(listing.nseResult(), listing.bseResult(), listing.nseValidated(),
                         listing.bseValidated()),
              std::tuple(NewListing::NsePassed, NewListing::BseFailed, true, false));
    validate("INFY", "", {""});
    EXPECT_EQ(tuple(listing.nseResult(), listing.addEnabled()),
              tuple(NewListing::NseFailed, false));
    validate("INFY", "", {known});
    ASSERT_TRUE(listing.addEnabled());
    EXPECT_FALSE(listing.startValidation(" ", "").has_value());
    EXPECT_FALSE(listing.addEnabled());

    store.rows = {{"Infosys Limited", "INFY", "500209"}};
    store.failure.clear();
    listing.accept("Infosys Limited");
    validate("INFY", "500209", {known, known});
    EXPECT_EQ(listing.store(store).value(), false) << "both known: nothing to add";
    validate("NEWCO", "500209", {unknown, known});
    EXPECT_EQ(listing.store(store).value(), false) << "a row without a symbol is never written";
    EXPECT_EQ(store.rows.size(), 1u);
    store.failure = "database is locked";
    EXPECT_EQ(listing.store(store).error(), "database is locked");
}
