#include "core/shell/indexboard.h"
#include "core/net/urlencode.h"
#include "core/shell/refreshplan.h"

#include <gtest/gtest.h>

namespace {

// A view with a list of symbols that records what reached it.
class ListGroup : public QuoteGroup
{
public:
    explicit ListGroup(std::vector<std::string> symbols) : symbols(std::move(symbols)), records(this->symbols.size()) {}
    std::vector<std::string> quoteSymbols() const override { return symbols; }
    QuoteRecord *quoteTarget(std::size_t index, const std::string &symbol) override
    {
        // Entries are matched by symbol, so a list that changed in flight still gets its own.
        for (std::size_t i = 0; i < symbols.size(); ++i)
            if (symbols[i] == symbol)
                return &records[i];
        (void)index;
        return nullptr;
    }
    void quotesArrived() override { ++arrivals; }

    std::vector<std::string> symbols;
    std::vector<QuoteRecord> records;
    int arrivals = 0;
};

std::string line(const std::string &symbol, double last)
{
    return "\"" + symbol + "\"," + std::to_string(last) + ",\"1/2/2026\",\"3:30pm\",1,2,3,4,5,6,7";
}

} // namespace

TEST(RefreshPlan, GroupsJoinInFixedOrderWithTheirLeadingCommas)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch({"INFY.NS", "500325.BO"});
    ListGroup emptyPortfolio({});
    ListGroup world({"^DJI", "^FTSE "});
    registry.attach(GroupSlot::World, &world);
    registry.attach(GroupSlot::Portfolio, &emptyPortfolio);
    registry.attach(GroupSlot::WatchList, &watch);
    registry.attach(GroupSlot::MainBar, &board);

    EXPECT_EQ(registry.plan("http://h:1").url,
              "http://h:1/d/quotes.csv?s=^NSEI,^BSESN,USDINR=X,INFY.NS,500325.BO,,^DJI,^FTSE%20&f=sl1d1t1c1ohgvjk");

    registry.detach(GroupSlot::World, &world);
    registry.detach(GroupSlot::Portfolio, &emptyPortfolio);
    watch.symbols.clear();
    EXPECT_EQ(registry.plan("").url, "/d/quotes.csv?s=^NSEI,^BSESN,USDINR=X,&f=sl1d1t1c1ohgvjk")
        << "an empty watch list still writes its comma";
}

TEST(RefreshPlan, SymbolsThatWouldBreakTheQueryAreEncoded)
{
    EXPECT_EQ(encodeQueryValue("M&M.NS"), "M%26M.NS");
    EXPECT_EQ(encodeQueryValue("^NSEI"), "^NSEI");
    EXPECT_EQ(encodeQueryValue("A+B#C%"), "A%2BB%23C%25");
}

TEST(RefreshPlan, ReplyLinesGoToTheGroupsOfTheRequest)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch({"A.NS", "B.NS"});
    ListGroup world({"^DJI"});
    registry.attach(GroupSlot::MainBar, &board);
    registry.attach(GroupSlot::WatchList, &watch);
    const RefreshPlan plan = registry.plan("");

    // While the fetch is in flight the world panel opens and the watch list is reordered.
    registry.attach(GroupSlot::World, &world);
    watch.symbols = {"B.NS", "A.NS"};

    const std::vector<std::string> lines = {line("^NSEI", 24000), line("^BSESN", 80000), line("USDINR=X", 84),
                                            line("A.NS", 10), line("B.NS", 20)};
    ASSERT_TRUE(distributeReply(plan, lines, registry));
    EXPECT_DOUBLE_EQ(board.slot(IndexBoard::Nifty).last, 24000);
    EXPECT_DOUBLE_EQ(board.slot(IndexBoard::Dollar).last, 84);
    EXPECT_DOUBLE_EQ(watch.records[0].last, 20) << "B.NS now sits first and keeps its own quote";
    EXPECT_DOUBLE_EQ(watch.records[1].last, 10);
    EXPECT_EQ(watch.arrivals, 1);
    EXPECT_EQ(world.arrivals, 0) << "the world panel was not in this request";
}

TEST(RefreshPlan, ClosedGroupsAreSkippedAndLaterGroupsStayAligned)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch({"A.NS"});
    ListGroup world({"^DJI"});
    registry.attach(GroupSlot::MainBar, &board);
    registry.attach(GroupSlot::WatchList, &watch);
    registry.attach(GroupSlot::World, &world);
    const RefreshPlan plan = registry.plan("");
    registry.detach(GroupSlot::WatchList, &watch);

    const std::vector<std::string> lines = {line("^NSEI", 1), line("^BSESN", 2), line("USDINR=X", 3),
                                            line("A.NS", 4), line("^DJI", 5)};
    ASSERT_TRUE(distributeReply(plan, lines, registry));
    EXPECT_EQ(watch.arrivals, 0);
    EXPECT_DOUBLE_EQ(world.records[0].last, 5);
}

TEST(RefreshPlan, ReopenedPanelDoesNotTakeTheOldRequestsLines)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup first({"^DJI"});
    ListGroup second({"^DJI"});
    registry.attach(GroupSlot::MainBar, &board);
    registry.attach(GroupSlot::World, &first);
    const RefreshPlan plan = registry.plan("");
    registry.detach(GroupSlot::World, &first);
    registry.attach(GroupSlot::World, &second);
    ASSERT_TRUE(distributeReply(plan, {line("^NSEI", 1), line("^BSESN", 2), line("X", 3), line("^DJI", 5)}, registry));
    EXPECT_EQ(second.arrivals, 0);
}

TEST(RefreshPlan, ShortReplyStopsWhereTheLinesRunOut)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch({"A.NS", "B.NS"});
    registry.attach(GroupSlot::MainBar, &board);
    registry.attach(GroupSlot::WatchList, &watch);
    const RefreshPlan plan = registry.plan("");

    EXPECT_FALSE(distributeReply(plan, {line("^NSEI", 1), line("^BSESN", 2)}, registry));
    EXPECT_DOUBLE_EQ(board.slot(IndexBoard::Nifty).last, 1);
    EXPECT_DOUBLE_EQ(board.slot(IndexBoard::Sensex).last, 2);
    EXPECT_EQ(watch.arrivals, 0);

    const std::vector<std::string> oneShort = {line("^NSEI", 1), line("^BSESN", 2), line("X", 3), line("A.NS", 4)};
    EXPECT_FALSE(distributeReply(plan, oneShort, registry));
    EXPECT_DOUBLE_EQ(watch.records[0].last, 4) << "lines parsed before the gap keep their values";
    EXPECT_EQ(watch.arrivals, 0) << "a group cut short is not redisplayed";
}

TEST(RefreshPlan, EmptySymbolsExpectNoLine)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch({"A.NS", "", "B.NS"});
    registry.attach(GroupSlot::MainBar, &board);
    registry.attach(GroupSlot::WatchList, &watch);
    const RefreshPlan plan = registry.plan("");
    EXPECT_TRUE(distributeReply(plan, {line("^NSEI", 1), line("^BSESN", 2), line("X", 3), line("A.NS", 4), line("B.NS", 5)},
                                registry));
    EXPECT_DOUBLE_EQ(watch.records[2].last, 5);
}
