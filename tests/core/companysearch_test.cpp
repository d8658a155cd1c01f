#include "core/store/companysearch.h"
#include "core/store/watchsearchform.h"
#include "support/memorycompanylist.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

namespace {

struct CompanySearchTest : ::testing::Test
{
    CompanySearchTest()
    {
        store.rows = {{"Tata Steel Limited", "TATASTEEL", "500470"},
                      {"Tata Elxsi Limited", "TATAELXSI", "500408"},
                      {"Tatva Chintan Pharma Chem Limited", "TATVA", ""},
                      {"Vintage Tata Coffee Limited", "", "532890"}};
    }
    MemoryCompanyList store;
    RecordingMessenger messenger;
    CompanySearch search{store, messenger};
};

// Which short texts are told and which are typed quietly is checked on the dialogs; that they
// never reach the database, and that one empties the list, only here.
TEST_F(CompanySearchTest, ShortTextsNeverReachTheDatabase)
{
    search.searchAsTyped("tat", Exchange::Nse);
    EXPECT_EQ(search.names().size(), 3u);
    search.searchAsTyped("ta", Exchange::Nse);
    search.search("ta", Exchange::Nse);
    EXPECT_TRUE(search.rows().empty()) << "a shortened text empties the list";
    EXPECT_EQ(store.queries, 1);
}

TEST_F(CompanySearchTest, PositionsMapToRowsAndADatabaseErrorLeavesAnEmptyList)
{
    search.search("coffee", Exchange::Bse);
    ASSERT_NE(search.rowAt(0), nullptr);
    EXPECT_EQ(search.rowAt(0)->symbol(search.exchange()), "532890");
    EXPECT_EQ(search.rowAt(1), nullptr);
    EXPECT_EQ(search.rowAt(-1), nullptr);
    store.failure = "near \"s\": syntax error";
    search.search("tata", Exchange::Nse);
    EXPECT_EQ(messenger.shown.back(), store.failure);
    EXPECT_TRUE(search.rows().empty());
}

// What the dialog's OK hands back, and its no-match and row-limit messages, are checked on
// the dialogs themselves; these are the refusals it shows only in part.
struct WatchSearchFormTest : CompanySearchTest
{
    WatchSearchForm form{store, messenger};
};

TEST_F(WatchSearchFormTest, RefusalsKeepTheDialogOpen)
{
    form.search().search("tata", Exchange::Nse);
    struct Case
    {
        int position;
        bool alert;
        double lower, upper;
        const char *message;
    };
    for (const Case &c : {Case{0, false, 0, 1000000.5, WatchSearchForm::LimitRangeMessage},
                          Case{0, false, -1, 0, WatchSearchForm::LimitRangeMessage},
                          Case{0, true, 0, 10, WatchSearchForm::ZeroLimitMessage},
                          Case{0, true, 20, 10, WatchSearchForm::LimitOrderMessage}}) {
        form.setAlert(c.alert);
        EXPECT_FALSE(form.accept(c.position, c.lower, c.upper).has_value()) << c.message;
        EXPECT_EQ(messenger.shown.back(), c.message);
    }
}

} // namespace
