#include "core/net/urlencode.h"
#include "core/shell/indexboard.h"
#include "core/shell/refreshplan.h"
#include "support/listgroup.h"

#include <gtest/gtest.h>

// How one request is put together from the groups and how its reply is dealt back. That
// a reply reaches the groups of its request when they change in flight is shown against the
// simulator (e2e); these are the cases it can't stage.
namespace {
struct RefreshPlanTest : ::testing::Test
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch{{"A.NS", "B.NS"}};
    ListGroup world{{"^DJI"}};

    RefreshPlanTest()
    {
        registry.attach(GroupSlot::MainBar, &board);
        registry.attach(GroupSlot::WatchList, &watch);
    }
    // The main bar's three lines followed by the given ones.
    bool reply(const RefreshPlan &plan, std::vector<std::pair<std::string, double>> more)
    {
        more.insert(more.begin(), {{"^NSEI", 1}, {"^BSESN", 2}, {"USDINR=X", 3}});
        std::vector<std::string> lines;
        for (const auto &[symbol, last] : more)
            lines.push_back("\"" + symbol + "\"," + std::to_string(last) +
                            ",\"1/2/2026\",\"3:30pm\",1,2,3,4,5,6,7");
        return distributeReply(plan, lines, registry);
    }
};
} // namespace

TEST_F(RefreshPlanTest, GroupsJoinInFixedOrderWithTheirLeadingCommas)
{
    ListGroup emptyPortfolio;
    world.setSymbols({"^DJI", "^FTSE "});
    registry.attach(GroupSlot::World, &world);
    registry.attach(GroupSlot::Portfolio, &emptyPortfolio);
    EXPECT_EQ(registry.plan("http://h:1").url, "http://h:1/d/quotes.csv?s=^NSEI,^BSESN,USDINR=X,"
                                               "A.NS,B.NS,,^DJI,^FTSE%20&f=sl1d1t1c1ohgvjk");
    EXPECT_EQ(encodeQueryValue("A+B#C%"), "A%2BB%23C%25");
}

TEST_F(RefreshPlanTest, ClosedGroupsAreSkippedAndLaterGroupsStayAligned)
{
    registry.attach(GroupSlot::World, &world);
    const RefreshPlan plan = registry.plan("");
    registry.detach(GroupSlot::WatchList, &watch);
    ASSERT_TRUE(reply(plan, {{"A.NS", 4}, {"B.NS", 5}, {"^DJI", 6}}));
    EXPECT_EQ(watch.arrivals, 0);
    EXPECT_DOUBLE_EQ(world.records[0].last, 6);

    // A panel closed and opened again is another group: the old request's lines are not its.
    ListGroup reopened({"^DJI"});
    const RefreshPlan second = registry.plan("");
    registry.detach(GroupSlot::World, &world);
    registry.attach(GroupSlot::World, &reopened);
    ASSERT_TRUE(reply(second, {{"^DJI", 7}}));
    EXPECT_EQ(reopened.arrivals, 0);
}

TEST_F(RefreshPlanTest, ShortReplyStopsWhereTheLinesRunOut)
{
    const RefreshPlan plan = registry.plan("");
    EXPECT_FALSE(reply(plan, {{"A.NS", 4}}));
    EXPECT_DOUBLE_EQ(board.slot(IndexBoard::Dollar).last, 3);
    EXPECT_DOUBLE_EQ(watch.records[0].last, 4) << "lines parsed before the gap keep their values";
    EXPECT_EQ(watch.arrivals, 0) << "a group cut short is not redisplayed";
}

TEST_F(RefreshPlanTest, EmptySymbolsExpectNoLine)
{
    watch.setSymbols({"A.NS", "", "B.NS"});
    EXPECT_TRUE(reply(registry.plan(""), {{"A.NS", 4}, {"B.NS", 5}}));
    EXPECT_DOUBLE_EQ(watch.records[2].last, 5);
    EXPECT_EQ(watch.arrivals, 1);
}
